#pragma once
// The sides of the triangles and which elements share each: what tells a
// boundary edge (one element beside it) from an inner one (two).
#include <cstdint>
#include <utility>
#include <vector>

#include "model/conditions.h"
#include "model/model.h"

namespace trivane {

class MeshEdges {
 public:
  // Every side of elements 1..elementCount.
  explicit MeshEdges(const Model& model);

  // How many elements have this side (0 when it is no element's side).
  int32_t ElementCount(const Edge& edge) const;
  // The first element, in element order, with this side; 0 when there is none.
  int32_t FirstElement(const Edge& edge) const;
  bool OnBoundary(const Edge& edge) const { return ElementCount(edge) == 1; }
  // Every side that exactly one element has, in element order, each corner
  // pair as the element lists it.
  std::vector<Edge> BoundaryEdges() const;

 private:
  struct Side {
    int32_t low;
    int32_t high;
    int32_t element;
    Edge asListed;
    bool operator<(const Side& o) const {
      return low != o.low ? low < o.low : high != o.high ? high < o.high : element < o.element;
    }
  };
  std::pair<std::vector<Side>::const_iterator, std::vector<Side>::const_iterator> Find(const Edge& edge) const;
  std::vector<Side> sides_;  // sorted by (low, high, element)
};

}  // namespace trivane
