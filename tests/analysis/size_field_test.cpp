// The size field's value at a point: linear inside the old mesh, the nearest
// point's value outside it.
#include "analysis/adaptivity/size_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "fixtures.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

struct Probe {
  double x, y, size;
};

// Two triangles over the square [0, 2] x [0, 1] with the sizes 1 + x + 2y at
// their corners, then a third far to the right: every grid cell between them
// is empty.
TEST(SizeFieldLookup, LinearInsideNearestOutside) {
  const Model mesh = testing::MakeModel({{0, 0}, {2, 0}, {2, 1}, {0, 1}, {10, 0}, {11, 0}, {10, 1}},
                                        {{1, 2, 3}, {1, 3, 4}, {5, 6, 7}});
  const SizeFieldLookup lookup(SizeField{mesh, {1, 3, 5, 3, 7, 9, 8}});
  const Probe probes[] = {
      {0.5, 0.25, 2.0},    // inside, below the diagonal
      {0.5, 0.75, 3.0},    // inside, above it
      {2.0, 1.0, 5.0},     // a corner
      {1.0, -0.5, 2.0},    // below the square: the nearest point is (1, 0)
      {-3.0, 2.0, 3.0},    // beyond a corner, outside the grid: node 4
      {4.0, 0.5, 4.0},     // in the empty cells, nearer the square: (2, 0.5)
      {9.0, 0.0, 7.0},     // nearer the far triangle: node 5
      {10.25, 0.25, 7.75}, // inside the far triangle
  };
  for (const Probe& p : probes) EXPECT_TRUE(testing::Close(lookup.At(p.x, p.y), p.size, 1e-14)) << p.x << ", " << p.y;
}

// Triangles scattered over a plane with empty cells between them: outside
// them, the lookup's ring search finds the value a search of every side finds.
TEST(SizeFieldLookup, NearestAsAFullSearchFindsIt) {
  const Model mesh = testing::MakeModel(
      {{0, 0}, {1, 0}, {0, 1}, {7, 1}, {8, 3}, {6, 2}, {2, 6}, {3, 6}, {2, 8}, {9, 9}, {8, 9}, {9, 7}},
      {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}});
  const std::vector<double> sizes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const SizeFieldLookup lookup(SizeField{mesh, sizes});
  for (double x = -2.0; x <= 11.0; x += 0.37)
    for (double y = -2.0; y <= 11.0; y += 0.41) {
      double best = 1e300, value = 0.0;
      bool inside = false;
      for (int32_t e = 1; e <= mesh.elementCount; ++e) {
        const std::span<const int32_t> k = mesh.elements[e].Nodes();
        int negative = 0;
        for (int side = 0; side < 3; ++side) {
          const Node &a = mesh.nodes[k[side]], &b = mesh.nodes[k[(side + 1) % 3]];
          negative += (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x) < 0.0;
        }
        inside = inside || negative == 0 || negative == 3;
        for (int side = 0; side < 3; ++side) {
          const Node &a = mesh.nodes[k[side]], &b = mesh.nodes[k[(side + 1) % 3]];
          const double dx = b.x - a.x, dy = b.y - a.y;
          const double s = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
          const double d = std::hypot(a.x + s * dx - x, a.y + s * dy - y);
          const double v = sizes[k[side] - 1] + s * (sizes[k[(side + 1) % 3] - 1] - sizes[k[side] - 1]);
          if (d < best) best = d, value = v;
        }
      }
      if (inside) continue;
      const double found = lookup.At(x, y);
      EXPECT_TRUE(testing::Close(found, value, 1e-12)) << x << ", " << y;
    }
}

}  // namespace
}  // namespace trivane
