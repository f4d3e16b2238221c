#include "model/condition_edits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unordered_map>
#include <utility>

#include "model/errors.h"
#include "model/material_rules.h"
#include "model/mesh_edges.h"
#include "model/point_load.h"

namespace trivane {

namespace {

constexpr double DegreesPerRadian = 57.295779513082323;

void CheckNode(const Model& model, int32_t node) {
  if (node < 1 || node > model.nodeCount) throw Error(messages::NodeMissing(node));
}

// The direction of (fx, fy) in degrees from +x towards +y, 0 for no force;
// exact on the axes, where the window's users type 0, 90, 180 and -90 themselves.
double AngleOf(double fx, double fy) {
  if (fy == 0.0) return fx < 0.0 ? 180.0 : 0.0;
  if (fx == 0.0) return fy < 0.0 ? -90.0 : 90.0;
  return std::atan2(fy, fx) * DegreesPerRadian;
}

bool SameEdge(const Edge& a, const Edge& b) {
  return (a.node1 == b.node1 && a.node2 == b.node2) || (a.node1 == b.node2 && a.node2 == b.node1);
}

// An edge's ends in either order give the same key.
uint64_t EdgeKey(const Edge& e) {
  const auto [low, high] = std::minmax(e.node1, e.node2);
  return static_cast<uint64_t>(static_cast<uint32_t>(low)) << 32 | static_cast<uint32_t>(high);
}

// Where each edge's load of `kind` stands in the list. A list holds at most
// one per edge and kind, so an index per key is enough; a hash keeps a
// boundary of thousands of edges quick to load again.
std::unordered_map<uint64_t, std::size_t> LoadsOfKind(const std::vector<EdgeLoad>& loads, EdgeLoadKind kind) {
  std::unordered_map<uint64_t, std::size_t> index;
  for (std::size_t k = 0; k < loads.size(); ++k)
    if (loads[k].kind == kind) index.emplace(EdgeKey(loads[k].edge), k);
  return index;
}

}  // namespace

void AddSupport(Model& model, std::span<const int32_t> nodes, RestraintKind kind) {
  for (const int32_t k : nodes) CheckNode(model, k);
  for (const int32_t k : nodes) {
    Node& node = model.nodes[k];
    // The kinds are bits, y fixed 1 and x fixed 2; a digit outside them is free.
    const int32_t had = node.restraint >= Free && node.restraint <= FixedXY ? node.restraint : Free;
    const int32_t now = had | kind;
    if (now == node.restraint) continue;
    node.restraint = now;
    node.orientation = now == FixedX ? 1 : 0;
  }
}

void AddNodeForce(Model& model, int32_t node, double fx, double fy) {
  CheckNode(model, node);
  Node& n = model.nodes[node];
  if (n.load != 0.0) {
    const LoadParts held = PointLoadParts(n.load, n.loadAngle);
    fx += held.x;
    fy += held.y;
  }
  // A sum of exactly zero gives load 0.0 at angle 0: no load.
  n.load = std::hypot(fx, fy);
  n.loadAngle = AngleOf(fx, fy);
}

void SetEdgeLoads(Model& model, std::span<const Edge> edges, EdgeLoadKind kind, double a, double b) {
  if (kind == EdgeLoadKind::Water && !(b > 0.0)) throw Error(messages::WaterWeightNotPositive);
  const MeshEdges sides(model);
  for (const Edge& edge : edges) {
    const int32_t beside = sides.ElementCount(edge);
    if (beside == 0) throw Error(messages::EdgeNotInMesh(edge.node1, edge.node2));
    if (beside > 1) throw Error(messages::EdgeNotOnBoundary(edge.node1, edge.node2));
  }
  auto& loads = model.conditions.edgeLoads;
  std::unordered_map<uint64_t, std::size_t> index = LoadsOfKind(loads, kind);
  for (const Edge& edge : edges) {
    const auto [at, fresh] = index.try_emplace(EdgeKey(edge), loads.size());
    if (fresh) loads.push_back({edge, kind, a, b});
    else loads[at->second] = {edge, kind, a, b};
  }
}

int32_t EdgesLoadedWith(const Model& model, std::span<const Edge> edges, EdgeLoadKind kind) {
  const std::unordered_map<uint64_t, std::size_t> index = LoadsOfKind(model.conditions.edgeLoads, kind);
  return static_cast<int32_t>(
      std::count_if(edges.begin(), edges.end(), [&](const Edge& e) { return index.contains(EdgeKey(e)); }));
}

bool WaterLeavesDry(const Model& model, std::span<const Edge> edges, double level) {
  return std::all_of(edges.begin(), edges.end(), [&](const Edge& e) {
    return level <= std::min(model.nodes[e.node1].y, model.nodes[e.node2].y);
  });
}

int32_t RemoveEdgeLoads(Model& model, std::span<const Edge> edges) {
  auto& loads = model.conditions.edgeLoads;
  const auto removed = std::remove_if(loads.begin(), loads.end(), [&](const EdgeLoad& load) {
    return std::any_of(edges.begin(), edges.end(), [&](const Edge& e) { return SameEdge(e, load.edge); });
  });
  const auto count = static_cast<int32_t>(loads.end() - removed);
  loads.erase(removed, loads.end());
  return count;
}

std::vector<Edge> BoundaryEdgesBetween(const Model& model, std::span<const int32_t> nodes) {
  const auto among = [&](int32_t k) { return std::binary_search(nodes.begin(), nodes.end(), k); };
  std::vector<Edge> edges;
  for (const Edge& e : MeshEdges(model).BoundaryEdges())
    if (among(e.node1) && among(e.node2)) edges.push_back(e);
  return edges;
}

void SetGravity(Model& model, Gravity gravity) { model.conditions.gravity = gravity; }

void SetSpin(Model& model, double omega) {
  if (omega != 0.0 && model.entered.problem != Axisymmetric) throw Error(messages::SpinNeedsAxisymmetric);
  model.conditions.spin = omega;
}

void SetTemperature(Model& model, double dt) { model.conditions.temperature.dt = dt; }

void SetRegionTemperature(Model& model, const RegionTemperature& temperature) {
  const Group* region = FindGroupOfKind(model, temperature.region, GroupKind::Region);
  if (region == nullptr) throw Error(messages::UnknownRegion(temperature.region));
  const RegionTemperature stored{GroupLabel(*region), temperature.dt};
  auto& regions = model.conditions.temperature.regions;
  const auto same = std::find_if(regions.begin(), regions.end(),
                                 [&](const RegionTemperature& t) { return t.region == stored.region; });
  if (same == regions.end())
    regions.push_back(stored);
  else
    *same = stored;
}

// A plane model left with a spin would keep a load it cannot have: the type
// is refused rather than the spin dropped unasked.
void SetMaterial(Model& model, const EnteredMaterial& entered) {
  if (model.conditions.spin != 0.0 && entered.problem != Axisymmetric)
    throw Error(messages::SpinningModelStaysAxisymmetric);
  model.material = ElementConstants(entered);
  model.entered = entered;
}

void SetDensity(Model& model, double rho) {
  EnteredMaterial entered = model.entered;
  entered.rho = rho;
  SetMaterial(model, entered);
}

void SetRegionMaterial(Model& model, const RegionMaterial& material) {
  const Group* region = FindGroupOfKind(model, material.region, GroupKind::Region);
  if (region == nullptr) throw Error(messages::UnknownRegion(material.region));
  ElementConstants({model.entered.problem, material.E, material.mu, model.entered.t, material.rho});
  RegionMaterial stored = material;
  stored.region = GroupLabel(*region);
  auto& materials = model.conditions.regionMaterials;
  const auto same = std::find_if(materials.begin(), materials.end(),
                                 [&](const RegionMaterial& m) { return m.region == stored.region; });
  if (same == materials.end())
    materials.push_back(stored);
  else
    *same = stored;
}

const Group* FindGroupOfKind(const Model& model, std::string_view name, GroupKind kind) {
  const auto& groups = model.conditions.groups;
  for (const Group& g : groups)
    if (g.kind == kind && GroupLabel(g) == name) return &g;
  int32_t number = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
  if (error != std::errc{} || end != name.data() + name.size()) return nullptr;
  for (const Group& g : groups)
    if (g.kind == kind && g.number == number) return &g;
  return nullptr;
}

}  // namespace trivane
