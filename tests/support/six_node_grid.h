#pragma once
// Six-node triangle meshes for the tests: a grid of the unit square mapped
// onto the plane, so that a quadratic map gives curved elements that hold it
// exactly, and supports along its lines.
#include <algorithm>
#include <functional>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "model/model.h"

namespace trivane::testing {

using Map = std::function<PlanePoint(double s, double t)>;

// columns x rows squares of the unit square in (s, t), each cut along its
// diagonal into two six-node triangles, every node placed by `map`: a
// quadratic map gives straight or curved elements that reproduce it exactly.
// Corner (i, j) is node j (columns + 1) + i + 1.
inline Model MappedGrid(int32_t columns, int32_t rows, const Map& map) {
  Model m;
  for (int32_t j = 0; j <= rows; ++j)
    for (int32_t i = 0; i <= columns; ++i) {
      const PlanePoint p = map(double(i) / columns, double(j) / rows);
      m.nodes[++m.nodeCount] = Node{p.x, p.y, 0, 0, 0.0, 0.0};
    }
  std::map<std::pair<int32_t, int32_t>, int32_t> middle;
  const auto middleNode = [&](int32_t a, int32_t b) {
    const auto [it, added] = middle.emplace(std::pair{std::min(a, b), std::max(a, b)}, m.nodeCount + 1);
    if (added) {
      const auto param = [&](int32_t n) { return std::pair{double((n - 1) % (columns + 1)) / columns, double((n - 1) / (columns + 1)) / rows}; };
      const auto [sa, ta] = param(a);
      const auto [sb, tb] = param(b);
      const PlanePoint p = map(0.5 * (sa + sb), 0.5 * (ta + tb));
      m.nodes[++m.nodeCount] = Node{p.x, p.y, 0, 0, 0.0, 0.0};
    }
    return it->second;
  };
  for (int32_t j = 0; j < rows; ++j)
    for (int32_t i = 0; i < columns; ++i) {
      const int32_t a = j * (columns + 1) + i + 1, b = a + 1, c = b + columns + 1, d = a + columns + 1;
      for (const auto& [p, q, r] : {std::tuple{a, b, c}, std::tuple{a, c, d}})
        m.elements[++m.elementCount] = Element{{p, q, r, middleNode(p, q), middleNode(q, r), middleNode(r, p)}, 6};
    }
  m.elementOrder = 2;
  m.material = {0.3, 1000.0, 1.0};
  m.entered = {PlaneStress, 1000.0, 0.3, 1.0, 0.0};
  UpdateBounds(m);
  return m;
}

// The corners (i, j) of the grid with i == column (or j == row where column < 0).
inline std::vector<int32_t> GridLine(int32_t columns, int32_t column, int32_t row) {
  std::vector<int32_t> nodes;
  for (int32_t k = 0; k <= (column >= 0 ? row : columns); ++k)
    nodes.push_back(column >= 0 ? k * (columns + 1) + column + 1 : row * (columns + 1) + k + 1);
  return nodes;
}

// Supports on the corners and on the middle nodes of the sides between them.
inline void Restrain(Model& m, const std::vector<int32_t>& corners, RestraintKind kind) {
  std::vector<bool> on(static_cast<std::size_t>(m.nodeCount + 1), false);
  for (const int32_t n : corners) on[static_cast<std::size_t>(n)] = true;
  for (int32_t e = 1; e <= m.elementCount; ++e)
    for (int32_t k = 0; k < 3; ++k) {
      const Element& element = m.elements[e];
      if (on[static_cast<std::size_t>(element.node[k])] && on[static_cast<std::size_t>(element.node[(k + 1) % 3])])
        m.nodes[element.node[k + 3]].restraint = kind;
    }
  for (const int32_t n : corners) m.nodes[n].restraint = kind;
}

// A 4 x 2 block of 4 x 3 squares on rollers along x = 0 (node 1 held in y
// too), with water above its top (level 5, unit weight 10) on the end x = 4:
// sigma x = -10 (5 - y), the rest zero, which six-node triangles hold exactly.
inline Model WaterLoadedBlock() {
  const int32_t columns = 4, rows = 3;
  Model m = MappedGrid(columns, rows, [](double s, double t) { return PlanePoint{4.0 * s, 2.0 * t}; });
  Restrain(m, GridLine(columns, 0, rows), FixedX);
  m.nodes[1].restraint = FixedXY;
  const std::vector<int32_t> end = GridLine(columns, columns, rows);
  for (std::size_t k = 0; k + 1 < end.size(); ++k)
    m.conditions.edgeLoads.push_back({{end[k], end[k + 1]}, EdgeLoadKind::Water, 5.0, 10.0});
  return m;
}

}  // namespace trivane::testing
