// The size field's value at a point: linear inside the old mesh, the nearest
// point's value outside it.
#include "analysis/size_field.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace trivane
