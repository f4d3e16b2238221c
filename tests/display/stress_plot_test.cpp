#include "display/stress_plot.h"

#include <gtest/gtest.h>

#include <vector>

#include "display/recording_canvas.h"
#include "drawing_fixtures.h"

namespace trivane {
namespace {

// Colour i is (i, 0, 255 - i), so a brush colour tells its index.
Palette Ramp() {
  Palette palette;
  for (int i = 0; i < PaletteSize; ++i) palette.colours[i] = {static_cast<uint8_t>(i), 0, static_cast<uint8_t>(255 - i)};
  return palette;
}

std::vector<int> IndicesDrawn(const RecordingCanvas& canvas) {
  std::vector<int> indices;
  for (const DrawCall& call : canvas.Calls()) {
    if (call.kind == Primitive::Polygon) indices.push_back(call.attributes.brushColour.r);
  }
  return indices;
}

std::unique_ptr<Model> ThreeElements() {
  auto model = testing::SquareModel();
  model->elementCount = 3;
  model->elements[3] = {2, 3, 4};
  model->nodes[1].restraint = FixedXY;
  model->nodes[1].load = 5;
  return model;
}

struct IndexCase {
  const char* name;
  std::vector<double> values;
  std::vector<int> indices;
};

class StressColours : public ::testing::TestWithParam<IndexCase> {};

TEST_P(StressColours, LargestValueGetsColourZeroAndSmallestColour149) {
  auto model = ThreeElements();
  model->elementCount = static_cast<int32_t>(GetParam().values.size());
  RecordingCanvas canvas;
  ViewTransform view;
  DrawStressPlot(canvas, *model, GetParam().values, Ramp(), view);
  EXPECT_EQ(IndicesDrawn(canvas), GetParam().indices);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StressColours,
    ::testing::Values(IndexCase{"HalfwayTiesToEven", {-2, 0, 2}, {149, 74, 0}},
                      IndexCase{"TwoValues", {1, 3}, {149, 0}},
                      IndexCase{"RoundsToNearestOffTheTies", {0, 2, 3}, {149, 50, 0}},
                      IndexCase{"Negative", {-1, -5, -3}, {0, 149, 74}},
                      // Uniform within rounding: the middle colour, whatever the sign.
                      IndexCase{"PatchTest", {1e6, 1e6 + 3e-8, 1e6 - 1e-8}, {74, 74, 74}},
                      IndexCase{"UniformNegative", {-4.5, -4.5, -4.5}, {74, 74, 74}},
                      IndexCase{"AllZero", {0, 0, 0}, {74, 74, 74}},
                      IndexCase{"NearlyEqual", {1.0, 1.0000000000000002, 1.0}, {74, 74, 74}},
                      IndexCase{"JustBeyondRounding", {1e6, 1e6 + 2e-3, 1e6}, {149, 0, 149}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StressPlot, DrawsTheBackgroundAndTrianglesOnlyWithWhiteOutlines) {
  auto model = ThreeElements();
  RecordingCanvas canvas;
  ViewTransform view;
  canvas.SetBrushStyle(BrushStyle::Hollow);
  const std::vector<double> values{-2, 0, 2};
  DrawStressPlot(canvas, *model, values, Ramp(), view);
  const std::vector<DrawCall>& calls = canvas.Calls();
  ASSERT_EQ(calls.size(), 4u);  // no glyphs
  EXPECT_EQ(calls[0].kind, Primitive::Rectangle);
  EXPECT_EQ(calls[0].attributes.brushStyle, BrushStyle::Solid);
  EXPECT_EQ(calls[0].attributes.brushColour, (Rgb{0, 0, 0}));
  for (size_t k = 1; k < calls.size(); ++k) {
    EXPECT_EQ(calls[k].attributes.penColour, (Rgb{255, 255, 255}));
    EXPECT_EQ(calls[k].attributes.penWidth, 1);
    EXPECT_EQ(calls[k].attributes.brushStyle, BrushStyle::Solid);
  }
  EXPECT_EQ(view.scale, 0.8 * 640 / 10);
}

TEST(StressPlot, ReportsTheRangeItPainted) {
  auto model = ThreeElements();
  RecordingCanvas canvas;
  ViewTransform view;
  const ValueRange range = DrawStressPlot(canvas, *model, std::vector<double>{-2, 0, 2}, Ramp(), view);
  EXPECT_EQ(range.min, -2.0);
  EXPECT_EQ(range.max, 2.0);
}

}  // namespace
}  // namespace trivane
