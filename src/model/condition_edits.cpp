#include "model/condition_edits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

#include "model/errors.h"
#include "model/material_rules.h"
#include "model/mesh_edges.h"

namespace trivane {

namespace {

constexpr double RadiansPerDegree = 0.017453292519943295;
constexpr double DegreesPerRadian = 57.295779513082323;

void CheckNode(const Model& model, int32_t node) {
  if (node < 1 || node > model.nodeCount) throw Error(messages::NodeMissing(node));
}

// A point load's x and y parts. Exact for directions along the axes, so that
// a load typed as 1000 at 270 degrees and a force of (0, 1000) added to it
// leave no load rather than a residue of the angle's rounding.
std::pair<double, double> Components(double load, double angle) {
  if (std::fmod(angle, 90.0) == 0.0) {
    int quarter = static_cast<int>(std::fmod(angle, 360.0) / 90.0);  // -3..3
    if (quarter < 0) quarter += 4;
    switch (quarter) {
      case 0:
        return {load, 0.0};
      case 1:
        return {0.0, load};
      case 2:
        return {-load, 0.0};
      default:
        return {0.0, -load};
    }
  }
  return {load * std::cos(angle * RadiansPerDegree), load * std::sin(angle * RadiansPerDegree)};
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

}  // namespace

void SetSupport(Model& model, std::span<const int32_t> nodes, RestraintKind kind) {
  for (const int32_t k : nodes) CheckNode(model, k);
  const int32_t orientation = kind == FixedX ? 1 : 0;
  for (const int32_t k : nodes) {
    Node& node = model.nodes[k];
    node.restraint = kind;
    node.orientation = orientation;
  }
}

void AddNodeForce(Model& model, int32_t node, double fx, double fy) {
  CheckNode(model, node);
  Node& n = model.nodes[node];
  if (n.load != 0.0) {
    const auto [x, y] = Components(n.load, n.loadAngle);
    fx += x;
    fy += y;
  }
  // A sum of exactly zero gives load 0.0 at angle 0: no load.
  n.load = std::hypot(fx, fy);
  n.loadAngle = AngleOf(fx, fy);
}

void AddEdgeLoads(Model& model, std::span<const Edge> edges, EdgeLoadKind kind, double a, double b) {
  const MeshEdges sides(model);
  for (const Edge& edge : edges) {
    const int32_t beside = sides.ElementCount(edge);
    if (beside == 0) throw Error(messages::EdgeNotInMesh(edge.node1, edge.node2));
    if (beside > 1) throw Error(messages::EdgeNotOnBoundary(edge.node1, edge.node2));
  }
  auto& loads = model.conditions.edgeLoads;
  loads.reserve(loads.size() + edges.size());
  for (const Edge& edge : edges) loads.push_back({edge, kind, a, b});
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

void SetMaterial(Model& model, const EnteredMaterial& entered) {
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
