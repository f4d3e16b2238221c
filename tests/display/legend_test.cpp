// The legends beside the result plots, recorded call by call.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "display/colour_scale.h"
#include "display/legend.h"
#include "display/recording_canvas.h"

namespace trivane {
namespace {

Palette Scale() {
  Palette p;
  const auto colours = StressColourScale();
  std::copy(colours.begin(), colours.end(), p.colours.begin());
  return p;
}

std::vector<std::string> Texts(const RecordingCanvas& canvas) {
  std::vector<std::string> texts;
  for (const DrawCall& call : canvas.Calls())
    if (call.kind == Primitive::Text) texts.push_back(call.text);
  return texts;
}

struct StressLegendRow {
  const char* name;
  ValueRange range;
  int32_t height;
  std::vector<std::string> texts;  // title first, then the values top to bottom
  std::size_t colours;             // different fill colours in the bar
};

class StressLegend : public ::testing::TestWithParam<StressLegendRow> {};

// Everything stays within the strip; the bar shows the palette in order, or
// the middle colour alone for a uniform field.
TEST_P(StressLegend, DrawsTitleBarAndValues) {
  const StressLegendRow& row = GetParam();
  RecordingCanvas canvas(400 + LegendWidth, row.height);
  const Palette palette = Scale();
  DrawStressLegend(canvas, 400, row.height, "σx (Pa)", row.range, palette);
  EXPECT_EQ(Texts(canvas), row.texts);
  std::vector<int32_t> order;  // palette index of each bar rectangle, top to bottom
  for (const DrawCall& call : canvas.Calls()) {
    for (const Pixel& p : call.points) {
      EXPECT_GE(p.x, 400);
      EXPECT_LE(p.x, 400 + LegendWidth);
    }
    if (call.kind != Primitive::Rectangle || call.attributes.brushColour == Rgb{0, 0, 0}) continue;
    const auto found = std::find(palette.colours.begin(), palette.colours.end(), call.attributes.brushColour);
    ASSERT_NE(found, palette.colours.end());
    order.push_back(static_cast<int32_t>(found - palette.colours.begin()));
  }
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
  EXPECT_EQ(std::set<int32_t>(order.begin(), order.end()).size(), row.colours);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StressLegend,
    ::testing::Values(StressLegendRow{"Spread", {-2.0, 2.0}, 640, {"σx (Pa)", "2", "1", "0", "-1", "-2"}, 150},
                      StressLegendRow{"Uniform", {1e6, 1e6}, 640, {"σx (Pa)", "1e+06"}, 1},
                      StressLegendRow{"Rounding", {1e6, 1e6 + 3e-8}, 640, {"σx (Pa)", "1e+06"}, 1},
                      // 102 rows leave 50 for the bar: some colours get no row.
                      StressLegendRow{"SmallestPicture", {0.0, 4.0}, 102, {"σx (Pa)", "4", "3", "2", "1", "0"}, 50}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DeformedLegend, StatesTheMagnificationAndTheLargestDisplacement) {
  RecordingCanvas canvas(640 + LegendWidth, 400);
  DrawDeformedLegend(canvas, 640, 400, {0.002, 1234.56789, 0.0025, 17});
  EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"位移放大 1235 倍", "最大位移", "0.0025 m", "结点 17"}));
}

// The magnification is the 60 pixels of the largest component over its
// length on the screen; the largest displacement is the longest vector.
TEST(DeformedLegend, ScaleOfTheDisplacements) {
  Model m;
  m.nodeCount = 2;
  const double displacements[] = {0.003, -0.004, -0.0045, 0.0};
  const DeformedScale s = DeformedScaleOf(m, displacements, 2.0);
  EXPECT_EQ(s.largestComponent, 0.0045);
  EXPECT_DOUBLE_EQ(s.magnification, 60.0 / 0.0045 / 2.0);
  EXPECT_DOUBLE_EQ(s.largestDisplacement, 0.005);
  EXPECT_EQ(s.largestNode, 1);
}

// The ticks beside the values: the first on the bar's top row, the last on
// its bottom row (the bar runs from row 40 to row 627).
TEST(StressLegendTicks, RunFromTheBarsTopRowToItsBottomRow) {
  RecordingCanvas canvas(LegendWidth, 640);
  DrawStressLegend(canvas, 0, 640, "σx (Pa)", {-2.0, 2.0}, Scale());
  std::vector<int32_t> rows;
  int32_t barBottom = 0;
  for (const DrawCall& call : canvas.Calls()) {
    if (call.kind == Primitive::Line) rows.push_back(call.points[0].y);
    if (call.kind == Primitive::Rectangle && call.attributes.brushColour != Rgb{0, 0, 0})
      barBottom = std::max(barBottom, call.points[1].y);
  }
  EXPECT_EQ(rows, (std::vector<int32_t>{40, 186, 333, 480, 627}));
  EXPECT_EQ(barBottom, 628);
}

// The bar both legends draw: a uniform field in the plot's own middle colour.
TEST(ColourBar, AUniformFieldTakesThePlotsMiddleColourAcrossTheBar) {
  const Palette palette = Scale();
  for (const bool horizontal : {false, true}) {
    RecordingCanvas canvas(200, 200);
    DrawColourBar(canvas, 10, 20, 160, 170, horizontal, true, palette);
    int32_t covered = 0;
    for (const DrawCall& call : canvas.Calls()) {
      EXPECT_EQ(call.attributes.brushColour, palette.colours[MiddleColour]);
      const Pixel from = call.points[0], to = call.points[1];
      EXPECT_EQ(horizontal ? from.y : from.x, horizontal ? 20 : 10);
      EXPECT_EQ(horizontal ? to.y : to.x, 170 - (horizontal ? 0 : 10));
      EXPECT_EQ(horizontal ? from.x : from.y, (horizontal ? 10 : 20) + covered);
      covered += horizontal ? to.x - from.x : to.y - from.y;
    }
    EXPECT_EQ(covered, 150);
  }
}

}  // namespace
}  // namespace trivane
