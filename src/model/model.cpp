#include "model/model.h"

#include <algorithm>

namespace trivane {

std::string_view ProblemTypeName(ProblemType problem) {
  if (problem == Axisymmetric) return "axisymmetric";
  return problem == PlaneStrain ? "plane strain" : "plane stress";
}

void UpdateBounds(Model& model) {
  ModelBounds& b = model.bounds;
  b.xmax = b.xmin = model.nodes[1].x;
  b.ymax = b.ymin = model.nodes[1].y;
  for (int32_t k = 1; k <= model.nodeCount; ++k) {
    const Node& n = model.nodes[k];
    if (n.x > b.xmax) b.xmax = n.x;
    if (n.x < b.xmin) b.xmin = n.x;
    if (n.y > b.ymax) b.ymax = n.y;
    if (n.y < b.ymin) b.ymin = n.y;
  }
}

void ClearModelTables(Model& model) {
  const auto clear = [](auto& table, int32_t count) {
    const std::size_t end = std::min(table.Stored(), static_cast<std::size_t>(std::max(count, 0)) + 1);
    for (std::size_t k = 1; k < end; ++k) table[static_cast<std::ptrdiff_t>(k)] = {};
  };
  clear(model.elements, model.elementCount);
  clear(model.nodes, model.nodeCount);
  model.elementCount = 0;
  model.nodeCount = 0;
  model.elementOrder = 1;
  model.conditions = {};
}

bool SameModel(const Model& a, const Model& b) {
  if (a.nodeCount != b.nodeCount || a.elementCount != b.elementCount) return false;
  if (a.elementOrder != b.elementOrder) return false;
  if (!(a.bounds == b.bounds) || !(a.material == b.material)) return false;
  if (!(a.entered == b.entered) || !(a.conditions == b.conditions)) return false;
  for (int32_t k = 1; k <= a.nodeCount; ++k)
    if (!(a.nodes[k] == b.nodes[k])) return false;
  for (int32_t e = 1; e <= a.elementCount; ++e)
    if (!(a.elements[e] == b.elements[e])) return false;
  return true;
}

}  // namespace trivane
