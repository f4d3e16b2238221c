// The six-node triangle's results: the recovered values at its middle nodes,
// the error estimate's rate, and the samples along a line through curved
// elements.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <tuple>
#include <memory>
#include <utility>
#include <vector>

#include "analysis/compute.h"
#include "analysis/elements/finite_element.h"
#include "analysis/recovery/line_samples.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::Close;
using Map = std::function<PlanePoint(double s, double t)>;

// columns x rows squares of the unit square in (s, t), each cut along its
// diagonal into two six-node triangles, every node placed by `map`: a
// quadratic map gives straight or curved elements that reproduce it exactly.
// Corner (i, j) is node j (columns + 1) + i + 1.
Model MappedGrid(int32_t columns, int32_t rows, const Map& map) {
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
std::vector<int32_t> GridLine(int32_t columns, int32_t column, int32_t row) {
  std::vector<int32_t> nodes;
  for (int32_t k = 0; k <= (column >= 0 ? row : columns); ++k)
    nodes.push_back(column >= 0 ? k * (columns + 1) + column + 1 : row * (columns + 1) + k + 1);
  return nodes;
}

// Supports on the corners and on the middle nodes of the sides between them.
void Restrain(Model& m, const std::vector<int32_t>& corners, RestraintKind kind) {
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

// A 4 x 2 block on rollers along x = 0 (one node held in y), with water above
// its top on the end x = 4: sigma x = -gamma (level - y), the rest zero. The
// six-node triangle holds that linear field exactly, so every recovered value,
// at corners and middle nodes alike, is exact and the estimate is zero.
TEST(SixNodeResults, ALinearStressIsRecoveredAtEveryNode) {
  const int32_t columns = 4, rows = 3;
  Model m = MappedGrid(columns, rows, [](double s, double t) { return PlanePoint{4.0 * s, 2.0 * t}; });
  Restrain(m, GridLine(columns, 0, rows), FixedX);
  m.nodes[1].restraint = FixedXY;
  const std::vector<int32_t> end = GridLine(columns, columns, rows);
  for (std::size_t k = 0; k + 1 < end.size(); ++k)
    m.conditions.edgeLoads.push_back({{end[k], end[k + 1]}, EdgeLoadKind::Water, 5.0, 10.0});
  for (const StressRecovery recovery : {StressRecovery::Patch, StressRecovery::Average}) {
    const auto s = std::make_unique<const Solution>(Compute(m, SolverChoice::Automatic, recovery));
    for (int32_t e = 1; e <= m.elementCount; ++e)
      for (int32_t k = 0; k < 6; ++k) {
        const Node& node = m.nodes[m.elements[e].node[k]];
        const StressState& v = s->averaged.AtCorner(e, k);
        EXPECT_TRUE(Close(v[0], -10.0 * (5.0 - node.y), 1e-10)) << e << " " << k;
        EXPECT_TRUE(Close(v[1], 0.0, 1e-10)) << e << " " << k;
        EXPECT_TRUE(Close(v[2], 0.0, 1e-10)) << e << " " << k;
      }
    EXPECT_LT(s->error.relative, 1e-10);
  }
}

// A quarter of a thick ring (radii 1 and 2) under pressure inside, on rollers
// along its cut edges: Lame's smooth field. Curved six-node elements, the
// grid halved twice: the estimated error falls with h^2, about 4 times a step.
TEST(SixNodeResults, TheEstimateFallsWithTheSquareOfTheElementSize) {
  std::vector<double> eta;
  for (const int32_t n : {3, 6, 12}) {
    const int32_t columns = 2 * n, rows = n;  // around, outward
    Model m = MappedGrid(columns, rows, [](double s, double t) {
      const double angle = 0.5 * M_PI * s, radius = 1.0 + t;
      return PlanePoint{radius * std::cos(angle), radius * std::sin(angle)};
    });
    Restrain(m, GridLine(columns, -1, 0), FixedY);
    Restrain(m, GridLine(columns, columns, rows), FixedX);
    const std::vector<int32_t> inner = GridLine(columns, -1, 0);
    for (std::size_t k = 0; k + 1 < inner.size(); ++k)
      m.conditions.edgeLoads.push_back({{inner[k], inner[k + 1]}, EdgeLoadKind::Pressure, 10.0, 0.0});
    eta.push_back(Compute(m).error.relative);
  }
  for (std::size_t k = 1; k < eta.size(); ++k) {
    const double ratio = eta[k - 1] / eta[k];
    EXPECT_GT(ratio, 3.4) << k;
    EXPECT_LT(ratio, 4.6) << k;
  }
}

}  // namespace
}  // namespace trivane
