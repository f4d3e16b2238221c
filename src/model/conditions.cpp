#include "model/conditions.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "model/model.h"

namespace trivane {

std::string GroupLabel(const Group& group) {
  return group.name.empty() ? std::to_string(group.number) : group.name;
}

const Group* FindGroup(const Model& model, std::string_view name) {
  const auto& groups = model.conditions.groups;
  for (const Group& g : groups)
    if (GroupLabel(g) == name) return &g;
  int32_t number = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
  if (error != std::errc{} || end != name.data() + name.size()) return nullptr;
  for (const Group& g : groups)
    if (g.number == number) return &g;
  return nullptr;
}

namespace {

// The node on each of `edges` that is a side of a six-node element: a support
// or a load put on an edge group must hold the whole side, not only its ends.
void AddSideNodes(const Model& model, const std::vector<Edge>& edges, std::vector<int32_t>& nodes) {
  std::map<std::pair<int32_t, int32_t>, int32_t> sideNode;
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const Element& el = model.elements[e];
    if (el.count != 6) continue;
    for (std::size_t k = 0; k < 3; ++k) {
      const int32_t a = el.node[k], b = el.node[(k + 1) % 3];
      sideNode.emplace(std::pair{std::min(a, b), std::max(a, b)}, el.node[k + 3]);
    }
  }
  for (const Edge& e : edges)
    if (const auto found = sideNode.find({std::min(e.node1, e.node2), std::max(e.node1, e.node2)});
        found != sideNode.end())
      nodes.push_back(found->second);
}

}  // namespace

std::vector<int32_t> GroupNodes(const Model& model, const Group& group) {
  std::vector<int32_t> nodes;
  switch (group.kind) {
    case GroupKind::Nodes:
      nodes = group.nodes;
      break;
    case GroupKind::Edges:
      for (const Edge& e : group.edges) nodes.insert(nodes.end(), {e.node1, e.node2});
      if (model.elementOrder == 2) AddSideNodes(model, group.edges, nodes);
      break;
    case GroupKind::Region:
      for (const int32_t e : group.elements) {
        const std::span<const int32_t> corners = model.elements[e].Nodes();
        nodes.insert(nodes.end(), corners.begin(), corners.end());
      }
      break;
  }
  std::sort(nodes.begin(), nodes.end());
  nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
  return nodes;
}

namespace {

// For each element, 1 + the index in `labels` of the first region (in group
// order) that holds it and is named there, or 0 when none is.
template <typename Entries>
std::vector<int32_t> RegionClaims(const Model& model, const Entries& entries) {
  std::vector<int32_t> index(static_cast<std::size_t>(std::max(model.elementCount, 0)), 0);
  if (entries.empty()) return index;
  std::map<std::string, int32_t, std::less<>> byRegion;
  for (std::size_t k = 0; k < entries.size(); ++k) byRegion.emplace(entries[k].region, static_cast<int32_t>(k + 1));
  // Later groups must not overwrite an earlier region's claim, so walk the
  // groups backwards and let the earlier ones write last.
  const auto& groups = model.conditions.groups;
  for (auto g = groups.rbegin(); g != groups.rend(); ++g) {
    if (g->kind != GroupKind::Region) continue;
    const auto found = byRegion.find(GroupLabel(*g));
    if (found == byRegion.end()) continue;
    for (const int32_t e : g->elements)
      if (e >= 1 && e <= model.elementCount) index[static_cast<std::size_t>(e - 1)] = found->second;
  }
  return index;
}

}  // namespace

std::vector<int32_t> ElementMaterialIndex(const Model& model) {
  return RegionClaims(model, model.conditions.regionMaterials);
}

std::vector<double> ElementTemperatureChanges(const Model& model) {
  const Temperature& temperature = model.conditions.temperature;
  const std::vector<int32_t> claims = RegionClaims(model, temperature.regions);
  std::vector<double> dt(claims.size(), temperature.dt);
  for (std::size_t e = 0; e < claims.size(); ++e)
    if (claims[e] != 0) dt[e] = temperature.regions[static_cast<std::size_t>(claims[e] - 1)].dt;
  return dt;
}

}  // namespace trivane
