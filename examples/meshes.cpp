#include "meshes.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <utility>
#include <vector>

namespace trivane::examples {

namespace {

// Nodes of a (columns x rows) grid numbered row by row from 1; `place` gives
// the position of grid point (i, j), i along a row, j across. Order 1: two
// 3-node triangles to a cell of the grid. Order 2: two 6-node triangles to a
// block of 2 x 2 cells (columns and rows odd), the block's corners their
// corners and the points between them their mid-side nodes.
template <typename Place>
Model Grid(int32_t columns, int32_t rows, Place place, int32_t order = 1) {
  Model model;
  const auto number = [columns](int32_t i, int32_t j) { return j * columns + i + 1; };
  for (int32_t j = 0; j < rows; ++j)
    for (int32_t i = 0; i < columns; ++i) {
      Node& node = model.nodes[static_cast<std::size_t>(number(i, j))];
      const auto [x, y] = place(i, j);
      node.x = x;
      node.y = y;
    }
  model.nodeCount = columns * rows;
  model.elementOrder = order;
  const int32_t step = order;  // grid points from one corner to the next
  for (int32_t j = 0; j + step < rows; j += step)
    for (int32_t i = 0; i + step < columns; i += step) {
      const int32_t a = number(i, j), b = number(i + step, j), c = number(i + step, j + step),
                    d = number(i, j + step);
      // Alternate the diagonal so the mesh has no preferred direction.
      const bool flip = (i + j) / step % 2 == 1;
      if (order == 1) {
        model.elements[static_cast<std::size_t>(++model.elementCount)] = flip ? Element{a, b, d} : Element{a, b, c};
        model.elements[static_cast<std::size_t>(++model.elementCount)] = flip ? Element{b, c, d} : Element{a, c, d};
        continue;
      }
      const int32_t ab = number(i + 1, j), bc = number(i + 2, j + 1), cd = number(i + 1, j + 2),
                    da = number(i, j + 1), centre = number(i + 1, j + 1);
      model.elements[static_cast<std::size_t>(++model.elementCount)] =
          flip ? Element{{a, b, d, ab, centre, da}, 6} : Element{{a, b, c, ab, bc, centre}, 6};
      model.elements[static_cast<std::size_t>(++model.elementCount)] =
          flip ? Element{{b, c, d, bc, cd, centre}, 6} : Element{{a, c, d, centre, cd, da}, 6};
    }
  // The mapping may mirror the grid; keep every triangle counter-clockwise
  // (with corners 2 and 3 swapped, the sides 1-2 and 3-1 swap too).
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    Element& el = model.elements[static_cast<std::size_t>(e)];
    const Node& p = model.nodes[static_cast<std::size_t>(el.node[0])];
    const Node& q = model.nodes[static_cast<std::size_t>(el.node[1])];
    const Node& r = model.nodes[static_cast<std::size_t>(el.node[2])];
    if ((q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x) < 0.0) {
      std::swap(el.node[1], el.node[2]);
      if (order == 2) std::swap(el.node[3], el.node[5]);
    }
  }
  UpdateBounds(model);
  return model;
}

Node& At(Model& model, int32_t columns, int32_t i, int32_t j) {
  return model.nodes[static_cast<std::size_t>(j * columns + i + 1)];
}

// Puts `total` on the nodes of one grid line as the consistent forces of a
// uniform load along it: for 3-node sides, in proportion to the length each
// node stands for (half of each neighbouring segment); for 6-node sides (from
// an even node to the next but one), 1/6 of a side's share to each end and
// 2/3 to its middle.
template <typename NodeOf>
void SpreadLoad(int32_t count, NodeOf nodeOf, double total, double angle, int32_t order = 1) {
  const auto length = [&](int32_t k) { return std::hypot(nodeOf(k + 1).x - nodeOf(k).x, nodeOf(k + 1).y - nodeOf(k).y); };
  double along = 0.0;
  for (int32_t k = 0; k + 1 < count; ++k) along += length(k);
  std::vector<double> share(static_cast<std::size_t>(count), 0.0);
  for (int32_t k = 0; k + order < count; k += order) {
    if (order == 1) {
      share[static_cast<std::size_t>(k)] += 0.5 * length(k);
      share[static_cast<std::size_t>(k + 1)] += 0.5 * length(k);
      continue;
    }
    const double side = length(k) + length(k + 1);
    share[static_cast<std::size_t>(k)] += side / 6.0;
    share[static_cast<std::size_t>(k + 1)] += 2.0 * side / 3.0;
    share[static_cast<std::size_t>(k + 2)] += side / 6.0;
  }
  for (int32_t k = 0; k < count; ++k) {
    Node& node = nodeOf(k);
    node.load = total * share[static_cast<std::size_t>(k)] / along;
    node.loadAngle = angle;
  }
}

}  // namespace

Model CantileverPlate(int32_t columns, int32_t rows, int32_t order) {
  constexpr double Length = 10.0, Depth = 1.0;
  Model model = Grid(
      columns, rows,
      [&](int32_t i, int32_t j) { return std::pair{Length * i / (columns - 1), Depth * j / (rows - 1)}; }, order);
  for (int32_t j = 0; j < rows; ++j) {
    Node& node = At(model, columns, 0, j);
    node.restraint = FixedXY;
    node.orientation = 1;
  }
  SpreadLoad(rows, [&](int32_t j) -> Node& { return At(model, columns, columns - 1, j); }, 1000.0, 270.0, order);
  return model;
}

Model PlateWithHole(int32_t around, int32_t outward) {
  constexpr double Half = 10.0, Radius = 2.0, Stress = 100.0;
  // Grid point (i, j): angle i from the x axis to the y axis, j from the hole
  // out to the plate's edge along the same ray.
  Model model = Grid(around + 1, outward + 1, [&](int32_t i, int32_t j) {
    const double angle = 0.5 * std::numbers::pi * i / around;
    const double c = std::cos(angle), s = std::sin(angle);
    const double reach = Half / std::fmax(c, s);
    const double t = static_cast<double>(j) / outward;
    const double r = Radius + (reach - Radius) * t * t;  // finer near the hole
    return std::pair{r * c, r * s};
  });
  const int32_t columns = around + 1;
  for (int32_t j = 0; j <= outward; ++j) {
    Node& onX = At(model, columns, 0, j);  // on y = 0: symmetry about the x axis
    onX.restraint = FixedY;
    onX.orientation = 0;  // a vertical link below the edge holds y
    Node& onY = At(model, columns, around, j);  // on x = 0
    onY.restraint = FixedX;
    onY.orientation = 1;  // a horizontal link left of the edge holds x
  }
  // The edge x = Half is the outer end of the rays up to 45 degrees.
  const int32_t edgeNodes = around / 2 + 1;
  SpreadLoad(edgeNodes, [&](int32_t k) -> Node& { return At(model, columns, k, outward); }, Stress * Half, 0.0);
  return model;
}

Model CookMembrane(int32_t divisions) {
  Model model = Grid(divisions + 1, divisions + 1, [&](int32_t i, int32_t j) {
    const double s = static_cast<double>(i) / divisions, t = static_cast<double>(j) / divisions;
    const double x = 48.0 * s;
    const double bottom = 44.0 * s, top = 44.0 + 16.0 * s;
    return std::pair{x, bottom + (top - bottom) * t};
  });
  const int32_t columns = divisions + 1;
  for (int32_t j = 0; j <= divisions; ++j) {
    Node& node = At(model, columns, 0, j);
    node.restraint = FixedXY;
    node.orientation = 1;
  }
  SpreadLoad(divisions + 1, [&](int32_t j) -> Node& { return At(model, columns, divisions, j); }, 1.0, 90.0);
  return model;
}

Model SquarePlate(int32_t side, int32_t order) {
  Model model = Grid(
      side, side,
      [&](int32_t i, int32_t j) {
        return std::pair{static_cast<double>(i) / (side - 1), static_cast<double>(j) / (side - 1)};
      },
      order);
  for (int32_t j = 0; j < side; ++j) {
    Node& node = At(model, side, 0, j);
    node.restraint = FixedXY;
    node.orientation = 1;
  }
  SpreadLoad(side, [&](int32_t j) -> Node& { return At(model, side, side - 1, j); }, 1e6, 0.0, order);
  return model;
}

Model WithMiddleNodes(Model model) {
  std::map<std::pair<int32_t, int32_t>, int32_t> middles;
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    Element& element = model.elements[e];
    for (std::size_t k = 0; k < 3; ++k) {
      const int32_t a = element.node[k], b = element.node[(k + 1) % 3];
      const auto [at, added] = middles.try_emplace({std::min(a, b), std::max(a, b)}, model.nodeCount + 1);
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
  return model;
}

}  // namespace trivane::examples
