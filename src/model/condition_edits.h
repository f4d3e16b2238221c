#pragma once
// The edits every front end makes to a model's conditions: the window's
// commands on the selection and trivane-cli's flags on groups both go
// through these, so a support, a load or a material means the same wherever
// it was given. Each checks everything before it changes anything, and throws
// Error with the text the user sees.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "model/conditions.h"
#include "model/model.h"

namespace trivane {

// Sets the restraint digit of every listed node: FixedX, FixedY or FixedXY,
// with the orientation the window's commands pair with that kind (the symbol
// under the node for FixedY and FixedXY, left of it for FixedX); Free clears
// it. A node outside 1..nodeCount is refused.
void SetSupport(Model& model, std::span<const int32_t> nodes, RestraintKind kind);

// Adds (fx, fy) to a node's point load; the sum is stored as magnitude and
// angle in degrees, as the problem file holds it. A sum of exactly zero
// leaves no load.
void AddNodeForce(Model& model, int32_t node, double fx, double fy);

// Adds one load of the given kind on each edge. Every edge must be a
// boundary edge of the mesh (exactly one element beside it); otherwise
// nothing is added and the error names the nodes of the first edge that is not.
void AddEdgeLoads(Model& model, std::span<const Edge> edges, EdgeLoadKind kind, double a, double b);

// Removes every edge load on the given edges; returns how many were removed.
int32_t RemoveEdgeLoads(Model& model, std::span<const Edge> edges);

// The boundary edges whose two ends are both among `nodes` (ascending).
std::vector<Edge> BoundaryEdgesBetween(const Model& model, std::span<const int32_t> nodes);

void SetGravity(Model& model, Gravity gravity);

// The one way the model's material is set, by the window's dialog, the
// command line and the problem file alike: the material as entered and the
// constants the element formulas take from it (ElementConstants). A material
// no elastic body has is refused, naming the field, and the model keeps its own.
void SetMaterial(Model& model, const EnteredMaterial& entered);

// Sets the density of the model's material; a negative one is refused
// (ElementConstants).
void SetDensity(Model& model, double rho);

// Gives a region its own material (replacing one it had). `material.region`
// names the region by label or number (FindGroupOfKind) and is stored as its
// label. E, mu and rho are checked as the model's material is
// (ElementConstants), with the model's problem type and thickness.
void SetRegionMaterial(Model& model, const RegionMaterial& material);

// The group of this kind a user names: the first of the kind whose label is
// `name`, else the first of the kind whose number `name` reads as. Gmsh numbers
// each dimension's physical groups apart, so curve 1 and surface 1 may both exist.
const Group* FindGroupOfKind(const Model& model, std::string_view name, GroupKind kind);

}  // namespace trivane
