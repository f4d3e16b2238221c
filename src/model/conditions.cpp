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

std::vector<int32_t> GroupNodes(const Model& model, const Group& group) {
  std::vector<int32_t> nodes;
  switch (group.kind) {
    case GroupKind::Nodes:
      nodes = group.nodes;
      break;
    case GroupKind::Edges:
      for (const Edge& e : group.edges) nodes.insert(nodes.end(), {e.node1, e.node2});
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

std::vector<int32_t> ElementMaterialIndex(const Model& model) {
  std::vector<int32_t> index(static_cast<std::size_t>(std::max(model.elementCount, 0)), 0);
  const auto& materials = model.conditions.regionMaterials;
  if (materials.empty()) return index;
  std::map<std::string, int32_t, std::less<>> byRegion;
  for (std::size_t k = 0; k < materials.size(); ++k)
    byRegion.emplace(materials[k].region, static_cast<int32_t>(k + 1));
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

}  // namespace trivane
