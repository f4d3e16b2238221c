#include "model/model.h"

namespace trivane {

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
  for (int32_t e = 1; e <= model.elementCount && e <= MaxElements; ++e) model.elements[e] = Element{};
  for (int32_t k = 1; k <= model.nodeCount && k <= MaxNodes; ++k) model.nodes[k] = Node{};
  model.elementCount = 0;
  model.nodeCount = 0;
}

bool SameModel(const Model& a, const Model& b) {
  if (a.nodeCount != b.nodeCount || a.elementCount != b.elementCount) return false;
  if (!(a.bounds == b.bounds) || !(a.material == b.material)) return false;
  for (int32_t k = 1; k <= a.nodeCount; ++k)
    if (!(a.nodes[k] == b.nodes[k])) return false;
  for (int32_t e = 1; e <= a.elementCount; ++e)
    if (!(a.elements[e] == b.elements[e])) return false;
  return true;
}

}  // namespace trivane
