#pragma once
// The edits every front end makes to a model's conditions: the window's
// commands on the selection and trivane-cli's flags on groups both go
// through these, so a support, a load or a material means the same wherever
// it was given. Each checks everything before it changes anything, and throws
// Error with the text the user sees.
#include <cstdint>
#include <span>
#include <string_view>

#include "model/conditions.h"
#include "model/model.h"

namespace trivane {

// Sets the restraint digit of every listed node: FixedX, FixedY or FixedXY,
// with the orientation the window's commands pair with that kind.
void SetSupport(Model& model, std::span<const int32_t> nodes, RestraintKind kind);

// Adds (fx, fy) to a node's point load; the sum is stored as magnitude and
// angle in degrees, as the problem file holds it.
void AddNodeForce(Model& model, int32_t node, double fx, double fy);

// Adds one load of the given kind on each edge. Every edge must be a
// boundary edge of the mesh (exactly one element beside it); otherwise
// nothing is added and the error names the first edge's nodes.
void AddEdgeLoads(Model& model, std::span<const Edge> edges, EdgeLoadKind kind, double a, double b);

// Removes every edge load on the given edges; returns how many were removed.
int32_t RemoveEdgeLoads(Model& model, std::span<const Edge> edges);

// The boundary edges whose two ends are both among `nodes` (ascending).
std::vector<Edge> BoundaryEdgesBetween(const Model& model, std::span<const int32_t> nodes);

void SetGravity(Model& model, Gravity gravity);

// Gives a region its own material (replacing one it had). E, mu and rho are
// checked as the model's material is (rho must not be negative).
void SetRegionMaterial(Model& model, const RegionMaterial& material);

}  // namespace trivane
