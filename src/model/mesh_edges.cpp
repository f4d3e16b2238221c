#include "model/mesh_edges.h"

#include <algorithm>

namespace trivane {

MeshEdges::MeshEdges(const Model& model) {
  sides_.reserve(static_cast<std::size_t>(std::max(model.elementCount, 0)) * 3);
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    // A triangle's sides run from each corner to the next, the last back to the first.
    const std::span<const int32_t> corners = model.elements[e].Nodes();
    for (std::size_t k = 0; k < corners.size(); ++k) {
      const Edge side{corners[k], corners[(k + 1) % corners.size()]};
      sides_.push_back({std::min(side.node1, side.node2), std::max(side.node1, side.node2), e, side});
    }
  }
  std::sort(sides_.begin(), sides_.end());
}

std::pair<std::vector<MeshEdges::Side>::const_iterator, std::vector<MeshEdges::Side>::const_iterator> MeshEdges::Find(
    const Edge& edge) const {
  const int32_t low = std::min(edge.node1, edge.node2);
  const int32_t high = std::max(edge.node1, edge.node2);
  const auto key = [](const Side& s) { return std::pair{s.low, s.high}; };
  const auto first = std::lower_bound(sides_.begin(), sides_.end(), std::pair{low, high},
                                      [&](const Side& s, const std::pair<int32_t, int32_t>& k) { return key(s) < k; });
  auto last = first;
  while (last != sides_.end() && last->low == low && last->high == high) ++last;
  return {first, last};
}

int32_t MeshEdges::ElementCount(const Edge& edge) const {
  const auto [first, last] = Find(edge);
  return static_cast<int32_t>(last - first);
}

int32_t MeshEdges::FirstElement(const Edge& edge) const {
  const auto [first, last] = Find(edge);
  return first == last ? 0 : first->element;
}

std::vector<Edge> MeshEdges::BoundaryEdges() const {
  std::vector<const Side*> once;
  for (std::size_t k = 0; k < sides_.size(); ++k) {
    const bool sameAsBefore = k > 0 && sides_[k - 1].low == sides_[k].low && sides_[k - 1].high == sides_[k].high;
    const bool sameAsNext =
        k + 1 < sides_.size() && sides_[k + 1].low == sides_[k].low && sides_[k + 1].high == sides_[k].high;
    if (!sameAsBefore && !sameAsNext) once.push_back(&sides_[k]);
  }
  std::sort(once.begin(), once.end(), [](const Side* a, const Side* b) { return a->element < b->element; });
  std::vector<Edge> edges;
  edges.reserve(once.size());
  for (const Side* s : once) edges.push_back(s->asListed);
  return edges;
}

}  // namespace trivane
