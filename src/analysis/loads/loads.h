#pragma once
// The right-hand side F of K u = F, in one place: the nodes' point loads, the
// edge loads as consistent nodal forces, and self-weight.
#include <cstdint>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "model/model.h"

namespace trivane {

// A node's point load split into its x and y components (PointLoadParts).
Force NodeForce(const Node& node);

// The assembled force of every degree of freedom before restraints, entry
// [d - 1] for d = 1..2 nodeCount: the point loads, then the edge loads in
// order (the element type's consistent forces of the side), then self-weight
// element by element (g times the element type's nodal masses, rho of the
// element's region material, else the model's), then an axisymmetric
// model's spin (rho omega^2 r per unit volume, radially). Only forces that
// are not exactly zero are added, so a model with point loads alone gets its
// point loads bit for bit. Throws Error naming the nodes of an edge load whose
// edge is not the side of exactly one element, Error("Floating point
// overflow") when a force overflows, and Error(ElementNodeMissing) for an
// element corner outside 1..nodeCount that self-weight would load.
std::vector<double> NodalForces(const Model& model);

}  // namespace trivane
