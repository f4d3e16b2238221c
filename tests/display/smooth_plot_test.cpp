#include "display/smooth_plot.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "display/recording_canvas.h"
#include "drawing_fixtures.h"

namespace trivane {
namespace {

using testing::Numbered;
using testing::Painted;

// The square (0,0)-(10,10) at 1024 x 640 puts node 1 at pixel (256, 576),
// node 2 at (768, 576), node 3 at (768, 64), node 4 at (256, 64), 51.2
// pixels to the unit. Values 0 ... 10: index = round((10 - v) * 14.9).
TEST(SmoothPlot, ACornerShowsItsNodesValueAndInsideIsInterpolated) {
  const auto model = testing::SquareModel();
  RecordingCanvas canvas;
  ViewTransform view;
  const std::vector<double> corners{0, 10, 4, 0, 4, 7};  // element 1: nodes 1, 2, 3; element 2: 1, 3, 4
  const ValueRange range = DrawSmoothPlot(canvas, *model, corners, Numbered(), view);
  EXPECT_EQ(range.min, 0.0);
  EXPECT_EQ(range.max, 10.0);
  const auto pixels = Painted(canvas);
  const auto at = [&](int32_t x, int32_t y) { return pixels.count({x, y}) ? pixels.at({x, y}) : -1; };
  EXPECT_EQ(at(256, 576), 149);  // 0
  EXPECT_EQ(at(768, 576), 0);    // 10
  EXPECT_EQ(at(768, 64), 89);    // 4: 89.4
  EXPECT_EQ(at(256, 64), 45);    // 7: 44.7
  EXPECT_EQ(at(640, 448), 60);   // (7.5, 2.5) in element 1: 6, 59.6
  EXPECT_EQ(at(255, 576), -1);   // outside the mesh stays the background
  EXPECT_EQ(at(256, 577), -1);
}

TEST(SmoothPlot, AUniformFieldTakesTheMiddleColour) {
  const auto model = testing::SquareModel();
  RecordingCanvas canvas;
  ViewTransform view;
  DrawSmoothPlot(canvas, *model, std::vector<double>(6, 5.0), Numbered(), view);
  for (const auto& [pixel, index] : Painted(canvas)) ASSERT_EQ(index, MiddleColour);
}

}  // namespace
}  // namespace trivane
