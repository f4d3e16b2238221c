#pragma once
// Six-node models made from three-node ones: a node added in the middle of
// every side, shared by the elements on that side.
#include <algorithm>
#include <map>
#include <utility>

#include "model/model.h"

namespace trivane::testing {

inline void AddMiddleNodes(Model& model) {
  std::map<std::pair<int32_t, int32_t>, int32_t> middles;
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    Element& element = model.elements[e];
    for (std::size_t k = 0; k < 3; ++k) {
      const int32_t a = element.node[k], b = element.node[(k + 1) % 3];
      auto [at, added] = middles.try_emplace({std::min(a, b), std::max(a, b)}, model.nodeCount + 1);
      if (added) {
        model.nodes[++model.nodeCount] = {(model.nodes[a].x + model.nodes[b].x) / 2,
                                          (model.nodes[a].y + model.nodes[b].y) / 2};
      }
      element.node[3 + k] = at->second;
    }
    element.count = 6;
  }
  model.elementOrder = 2;
  UpdateBounds(model);
}

}  // namespace trivane::testing
