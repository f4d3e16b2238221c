// Where an end of a 路径图 line picked on the drawing lands.
#include <gtest/gtest.h>

#include "app/line_snap.h"
#include "meshes.h"

namespace trivane::testing {
namespace {

// The unit square with nodes every 0.5, 100 pixels to the unit and its centre
// at pixel (400, 300): the mesh spans pixels 350..450 by 250..350.
TEST(LineSnap, SnapsToANodeElseOntoABoundarySideElseStays) {
  const Model m = examples::SquarePlate(3);
  const ViewTransform view{0.5, 0.5, 100.0, 400, 300, false};
  const struct {
    int x, y;
    double endX, endY;
  } cases[] = {
      {346, 320, 0.0, 0.3},    // 4 px outside the side x = 0
      {453, 280, 1.0, 0.7},    // 3 px outside the side x = 1
      {370, 354, 0.2, 0.0},    // 4 px below the bottom
      {425, 250, 0.75, 1.0},   // on the top, between nodes
      {404, 296, 0.5, 0.5},    // inside, near the middle node
      {353, 255, 0.0, 1.0},    // the node wins over the nearer side
      {341, 300, -0.09, 0.5},  // 9 px outside: beyond the radius
      {338, 250, -0.12, 1.0},  // 12 px from a corner, nothing nearer
      {395, 320, 0.45, 0.3},   // 5 px from an inner side x = 0.5
  };
  for (const auto& c : cases) {
    const LinePoint end = SnapLineEnd(m, view, c.x, c.y);
    EXPECT_NEAR(end.x, c.endX, 1e-12) << c.x << ", " << c.y;
    EXPECT_NEAR(end.y, c.endY, 1e-12) << c.x << ", " << c.y;
    // An end snapped onto a side along an axis lies exactly on it, not an
    // ulp outside the mesh.
    if (c.endX == 0.0 || c.endX == 1.0) {
      EXPECT_EQ(end.x, c.endX);
    }
    if (c.endY == 0.0 || c.endY == 1.0) {
      EXPECT_EQ(end.y, c.endY);
    }
  }
}

}  // namespace
}  // namespace trivane::testing
