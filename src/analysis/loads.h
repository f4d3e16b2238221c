#pragma once
// The right-hand side F of K u = F, in one place: the nodes' point loads, the
// edge loads as consistent nodal forces, and self-weight.
#include <cstdint>
#include <vector>

#include "model/model.h"

namespace trivane {

struct Force {
  double x = 0.0;
  double y = 0.0;
};

// A node's point load split into its x and y components (PointLoadParts).
Force NodeForce(const Node& node);

// An edge load's forces on the edge's two ends (edge.node1 at `first`,
// edge.node2 at `second`): the exact integral over the edge of the load times
// each end's linear shape function, times the thickness t. `opposite` is the
// third corner of the triangle beside the edge; the outward normal points
// away from it. Throws Error("Floating point overflow") when a force
// overflows.
struct EdgeForces {
  Force first;
  Force second;
};
EdgeForces EdgeLoadForces(const EdgeLoad& load, const Node& first, const Node& second, const Node& opposite,
                          double t);

// The assembled force of every degree of freedom before restraints, entry
// [d - 1] for d = 1..2 nodeCount: the point loads, then the edge loads in
// order, then self-weight element by element (rho g A t / 3 on each corner,
// rho of the element's region material, else the model's). Only forces that
// are not exactly zero are added, so a model with point loads alone gets its
// point loads bit for bit. Throws Error naming the nodes of an edge load whose
// edge is not the side of exactly one element, Error("Floating point
// overflow") when a force overflows, and Error(ElementNodeMissing) for an
// element corner outside 1..nodeCount that self-weight would load.
std::vector<double> NodalForces(const Model& model);

}  // namespace trivane
