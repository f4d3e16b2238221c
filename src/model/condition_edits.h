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

// Adds the directions `kind` fixes to what every listed node already has, so
// that a node on two symmetry edges, one held in x and one in y, ends held in
// both, in whichever order they came. A node whose restraint changes gets the
// orientation the window's commands pair with its new kind (the symbol under
// the node for FixedY and FixedXY, left of it for FixedX); one that already
// had the directions keeps its symbol. A node outside 1..nodeCount is refused.
void AddSupport(Model& model, std::span<const int32_t> nodes, RestraintKind kind);

// Adds (fx, fy) to a node's point load; the sum is stored as magnitude and
// angle in degrees, as the problem file holds it. A sum of exactly zero
// leaves no load.
void AddNodeForce(Model& model, int32_t node, double fx, double fy);

// Puts a load of the given kind on each edge. An edge carries at most one
// load of each kind: the new one replaces a load of its kind the edge has
// (whichever way round its ends were given), and loads of the other kinds
// stay beside it and add. Every edge must be a boundary edge of the mesh
// (exactly one element beside it), and water must weigh something (a unit
// weight of zero or less would load the dry face above the level instead of
// the wet one); otherwise nothing changes and Error says why, naming the
// nodes of the first edge that is not on the boundary.
void SetEdgeLoads(Model& model, std::span<const Edge> edges, EdgeLoadKind kind, double a, double b);

// How many of the edges already carry a load of this kind: what SetEdgeLoads
// would replace.
int32_t EdgesLoadedWith(const Model& model, std::span<const Edge> edges, EdgeLoadKind kind);

// True when water up to `level` touches none of the edges: the level is at or
// below the lowest end of every one (no edges: true).
bool WaterLeavesDry(const Model& model, std::span<const Edge> edges, double level);

// Removes every edge load on the given edges; returns how many were removed.
int32_t RemoveEdgeLoads(Model& model, std::span<const Edge> edges);

// The boundary edges whose two ends are both among `nodes` (ascending).
std::vector<Edge> BoundaryEdgesBetween(const Model& model, std::span<const int32_t> nodes);

void SetGravity(Model& model, Gravity gravity);

// The angular velocity of an axisymmetric part about its axis. Only a solid of
// revolution has that axis: a spin other than 0 in a plane model is refused
// (SpinNeedsAxisymmetric).
void SetSpin(Model& model, double omega);

// The model's temperature change from the stress-free state, K.
void SetTemperature(Model& model, double dt);

// Gives a region its own temperature change (replacing one it had).
// `temperature.region` names the region by label or number (FindGroupOfKind)
// and is stored as its label.
void SetRegionTemperature(Model& model, const RegionTemperature& temperature);

// The one way the model's material is set, by the window's dialog, the
// command line and the problem file alike: the material as entered and the
// constants the element formulas take from it (ElementConstants). A material
// no elastic body has is refused, naming the field, and the model keeps its own;
// so is a plane problem type for a spinning model (SpinningModelStaysAxisymmetric).
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
