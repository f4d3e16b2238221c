#include "display/model_drawing.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "display/glyphs.h"
#include "display/recording_canvas.h"
#include "drawing_fixtures.h"

namespace trivane {
namespace {

using testing::SquareModel;

struct Counts : CountSink {
  void ShowCounts(int32_t nodes, int32_t elements) override {
    nodeCount = nodes;
    elementCount = elements;
  }
  int32_t nodeCount = -1;
  int32_t elementCount = -1;
};

std::vector<DrawCall> OfKind(const RecordingCanvas& canvas, Primitive kind) {
  std::vector<DrawCall> calls;
  for (const DrawCall& call : canvas.Calls()) {
    if (call.kind == kind) calls.push_back(call);
  }
  return calls;
}

TEST(DrawModel, ClearsThenDrawsGreyTrianglesWithWhiteOutlinesInTableOrder) {
  auto model = SquareModel();
  RecordingCanvas canvas(800, 600);
  ViewTransform view;
  Counts counts;
  DrawModel(canvas, *model, view, &counts);
  EXPECT_EQ(counts.nodeCount, 4);
  EXPECT_EQ(counts.elementCount, 2);
  EXPECT_EQ(view.scale, 48.0);  // 80 % of the height over a 10-unit square

  const std::vector<DrawCall>& calls = canvas.Calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].kind, Primitive::Rectangle);
  EXPECT_EQ(calls[0].points, (std::vector<Pixel>{{0, 0}, {800, 600}}));
  EXPECT_EQ(calls[0].attributes.brushColour, (Rgb{0, 0, 0}));
  EXPECT_EQ(calls[0].attributes.brushStyle, BrushStyle::Solid);
  EXPECT_EQ(calls[0].attributes.penColour, (Rgb{0, 0, 0}));
  EXPECT_EQ(calls[0].attributes.penMode, PenMode::Copy);
  EXPECT_EQ(calls[0].attributes.penStyle, PenStyle::Solid);
  EXPECT_EQ(calls[0].attributes.penWidth, 1);

  const Pixel p1 = ToPixel(view, 0, 0), p2 = ToPixel(view, 10, 0), p3 = ToPixel(view, 10, 10),
              p4 = ToPixel(view, 0, 10);
  EXPECT_EQ(calls[1].points, (std::vector<Pixel>{p1, p2, p3}));
  EXPECT_EQ(calls[2].points, (std::vector<Pixel>{p1, p3, p4}));
  for (int k : {1, 2}) {
    EXPECT_EQ(calls[k].kind, Primitive::Polygon);
    EXPECT_EQ(calls[k].attributes.brushColour, (Rgb{150, 150, 150}));
    EXPECT_EQ(calls[k].attributes.penColour, (Rgb{255, 255, 255}));
  }
}

TEST(DrawModel, FillsTheBackgroundEvenAfterAGlyphLeftTheBrushHollow) {
  auto model = SquareModel();
  model->nodes[1].restraint = FixedXY;
  RecordingCanvas canvas;
  ViewTransform view;
  DrawModel(canvas, *model, view, nullptr);
  EXPECT_EQ(canvas.Attributes().brushStyle, BrushStyle::Hollow);
  canvas.Clear();
  DrawModel(canvas, *model, view, nullptr);
  EXPECT_EQ(canvas.Calls()[0].attributes.brushStyle, BrushStyle::Solid);
}

TEST(DrawModel, ArrowComesBeforeTheSupportAndOnlyConditionedNodesGetGlyphs) {
  auto model = SquareModel();
  model->nodes[1].load = -2.5;
  model->nodes[1].loadAngle = 90;
  model->nodes[1].restraint = FixedXY;
  model->nodes[1].orientation = 0;
  model->nodes[2].restraint = FixedX;
  model->nodes[2].orientation = 3;
  model->nodes[3].restraint = 7;  // not a restraint kind: nothing drawn
  model->nodes[4].load = 1e-5;
  RecordingCanvas canvas;
  ViewTransform view;
  DrawModel(canvas, *model, view, nullptr);

  // What the glyph routines draw on their own at the same pixels.
  RecordingCanvas expected;
  const Pixel n1 = ToPixel(view, 0, 0), n2 = ToPixel(view, 10, 0), n4 = ToPixel(view, 0, 10);
  DrawLoadArrow(expected, n1.x, n1.y, 90, "-2.5");
  DrawTwoWaySupport(expected, n1.x, n1.y, 0);
  DrawOneWaySupport(expected, n2.x, n2.y, 3);
  DrawLoadArrow(expected, n4.x, n4.y, 0, "1E-5");

  const std::vector<DrawCall> all = canvas.Calls();
  const std::vector<DrawCall> glyphs(all.begin() + 3, all.end());
  ASSERT_EQ(glyphs.size(), expected.Calls().size());
  for (size_t k = 0; k < glyphs.size(); ++k) {
    EXPECT_EQ(glyphs[k].kind, expected.Calls()[k].kind) << k;
    EXPECT_EQ(glyphs[k].points, expected.Calls()[k].points) << k;
    EXPECT_EQ(glyphs[k].text, expected.Calls()[k].text) << k;
  }
}

TEST(DrawModel, SkipsElementsWhoseCornersLieOutsideTheNodeTable) {
  auto model = SquareModel();
  model->elementCount = 4;
  model->elements[2] = {1, 0, 3};
  model->elements[3] = {1, MaxNodes + 1, 3};
  model->elements[4] = {-5, 2, 3};
  RecordingCanvas canvas;
  ViewTransform view;
  DrawModel(canvas, *model, view, nullptr);
  EXPECT_EQ(OfKind(canvas, Primitive::Polygon).size(), 1u);
}

TEST(DrawModel, EmptyModelDrawsOnlyTheBackground) {
  Model model;
  RecordingCanvas canvas;
  ViewTransform view;
  Counts counts;
  DrawModel(canvas, model, view, &counts);
  ASSERT_EQ(canvas.Calls().size(), 1u);
  EXPECT_EQ(canvas.Calls()[0].kind, Primitive::Rectangle);
  EXPECT_EQ(counts.nodeCount, 0);
  EXPECT_EQ(counts.elementCount, 0);
  EXPECT_EQ(view.scale, 1.0);
}

TEST(DrawSelectionMarkers, YellowDiscsOnSelectedNodesWithTheViewAsItStands) {
  auto model = SquareModel();
  const ViewTransform view{0, 0, 2, 100, 100};
  Selection selection;
  selection.count = 4;
  selection.nodes[1] = 2;
  selection.nodes[2] = 0;     // outside the table: skipped
  selection.nodes[3] = MaxNodes + 1;  // outside the table: skipped
  selection.nodes[4] = 3;
  RecordingCanvas canvas;
  canvas.SetPenMode(PenMode::Invert);
  canvas.SetPenWidth(2);
  DrawSelectionMarkers(canvas, *model, selection, view);
  const std::vector<DrawCall>& calls = canvas.Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].points, (std::vector<Pixel>{{115, 95}, {125, 105}}));
  EXPECT_EQ(calls[1].points, (std::vector<Pixel>{{115, 75}, {125, 85}}));
  for (const DrawCall& call : calls) {
    EXPECT_EQ(call.kind, Primitive::Ellipse);
    EXPECT_EQ(call.attributes.penColour, (Rgb{255, 255, 0}));
    EXPECT_EQ(call.attributes.brushColour, (Rgb{255, 255, 0}));
    EXPECT_EQ(call.attributes.brushStyle, BrushStyle::Solid);
    EXPECT_EQ(call.attributes.penMode, PenMode::Copy);
    EXPECT_EQ(call.attributes.penWidth, 1);
  }
}

// One triangle given in pixels: model units are pixels, y up.
std::unique_ptr<Model> PixelTriangle(Pixel a, Pixel b, Pixel c) {
  auto model = std::make_unique<Model>();
  model->nodeCount = 3;
  model->nodes[1] = {double(a.x), double(-a.y)};
  model->nodes[2] = {double(b.x), double(-b.y)};
  model->nodes[3] = {double(c.x), double(-c.y)};
  model->elementCount = 1;
  model->elements[1] = {1, 2, 3};
  UpdateBounds(*model);
  return model;
}
constexpr ViewTransform PixelView{0, 0, 1, 0, 0, false};

struct OutlineRow {
  const char* name;
  Pixel a, b, c;
  Outlines outlines;
  bool outlined;
};

class ElementOutline : public ::testing::TestWithParam<OutlineRow> {};

// Not outlined, an element is edged in its own fill, so neighbours meet
// without black gaps.
TEST_P(ElementOutline, FollowsTheElementsAreaOnTheScreen) {
  const OutlineRow& row = GetParam();
  auto model = PixelTriangle(row.a, row.b, row.c);
  RecordingCanvas canvas(100, 100);
  ViewTransform view = PixelView;
  DrawModel(canvas, *model, view, nullptr, row.outlines);
  const std::vector<DrawCall> triangles = OfKind(canvas, Primitive::Polygon);
  ASSERT_EQ(triangles.size(), 1u);
  EXPECT_EQ(triangles[0].attributes.penColour, (row.outlined ? Rgb{255, 255, 255} : Rgb{150, 150, 150}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ElementOutline,
    ::testing::Values(OutlineRow{"AutoAtSixSquarePixels", {0, 0}, {4, 0}, {0, 3}, Outlines::Auto, true},
                      OutlineRow{"AutoBelow", {0, 0}, {5, 0}, {0, 2}, Outlines::Auto, false},
                      OutlineRow{"AutoClockwise", {0, 0}, {0, 2}, {5, 0}, Outlines::Auto, false},
                      OutlineRow{"AutoLongSliver", {0, 0}, {12, 0}, {6, 1}, Outlines::Auto, true},
                      OutlineRow{"OnTiny", {0, 0}, {1, 0}, {0, 1}, Outlines::On, true},
                      OutlineRow{"OffLarge", {0, 0}, {90, 0}, {0, 90}, Outlines::Off, false}),
    [](const auto& info) { return std::string(info.param.name); });

std::vector<Rgb> Fills(const RecordingCanvas& canvas) {
  std::vector<Rgb> fills;
  for (const DrawCall& call : OfKind(canvas, Primitive::Polygon)) fills.push_back(call.attributes.brushColour);
  return fills;
}

TEST(DrawModel, RegionsInTintsOfTheirOwnAndTheRestGrey) {
  auto model = SquareModel();
  model->elements[3] = {1, 2, 4};
  model->elementCount = 3;
  model->conditions.groups = {Group{GroupKind::Region, 1, "steel", {}, {}, {1}},
                              Group{GroupKind::Edges, 2, "face", {}, {{1, 2}}, {}},
                              Group{GroupKind::Region, 3, "", {}, {}, {3}}};
  RecordingCanvas canvas(800, 600);
  ViewTransform view;
  DrawModel(canvas, *model, view, nullptr);
  const std::vector<Rgb> fills = Fills(canvas);
  ASSERT_EQ(fills.size(), 3u);
  EXPECT_EQ(fills[1], (Rgb{150, 150, 150}));
  EXPECT_NE(fills[0], fills[1]);
  EXPECT_NE(fills[2], fills[1]);
  EXPECT_NE(fills[0], fills[2]);
}

// The lines of the edge loads' diagram: the first of each edge joins the
// arrows' tails.
std::vector<DrawCall> EdgeLoadLines(const RecordingCanvas& canvas) {
  std::vector<DrawCall> lines;
  for (const DrawCall& call : OfKind(canvas, Primitive::Line)) {
    if (call.attributes.penColour == Rgb{255, 128, 0}) lines.push_back(call);
  }
  return lines;
}

// The square's right side under water to its top: 0 at the surface, the
// largest value at the bottom, 40 pixels out; the arrows push left, into the
// square. A traction on the bottom pulling down: arrows coming from above.
TEST(DrawModel, EdgeLoadsShowTheirDiagramWithArrowsIntoTheBody) {
  auto model = SquareModel();
  model->conditions.edgeLoads = {EdgeLoad{{2, 3}, EdgeLoadKind::Water, 10.0, 1.0},
                                 EdgeLoad{{2, 1}, EdgeLoadKind::Traction, 0.0, -5.0}};
  RecordingCanvas canvas(800, 600);
  ViewTransform view;
  DrawModel(canvas, *model, view, nullptr);
  const Pixel p1 = ToPixel(view, 0, 0), p2 = ToPixel(view, 10, 0), p3 = ToPixel(view, 10, 10);
  const std::vector<DrawCall> lines = EdgeLoadLines(canvas);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0].points, (std::vector<Pixel>{{p2.x + 40, p2.y}, p3}));
  int intoTheSide = 0, fromAbove = 0;
  for (const DrawCall& line : lines) {
    const Pixel from = line.points[0], to = line.points[1];
    if (to.x == p2.x && from.y == to.y && from.x > to.x) ++intoTheSide;
    if (to.y == p1.y && from.x == to.x && from.y == p1.y - 20) ++fromAbove;
  }
  EXPECT_GE(intoTheSide, 2);
  EXPECT_GE(fromAbove, 2);
  for (const DrawCall& line : lines) {
    for (const Pixel& p : line.points) EXPECT_LE(p.x, p2.x + 40) << p.x;
  }

  // On a deformed shape the diagram stands on the moved edge.
  ViewTransform held = view;
  held.fitted = false;
  std::vector<NodePosition> moved;
  for (int32_t i = 1; i <= model->nodeCount; ++i) moved.push_back({model->nodes[i].x + 5.0, model->nodes[i].y});
  RecordingCanvas shifted(800, 600);
  DrawModel(shifted, *model, held, nullptr, Outlines::Auto, moved);
  const Pixel q2 = ToPixel(held, 15, 0), q3 = ToPixel(held, 15, 10);
  EXPECT_EQ(EdgeLoadLines(shifted)[0].points, (std::vector<Pixel>{{q2.x + 40, q2.y}, q3}));

  model->conditions.edgeLoads.clear();
  RecordingCanvas plain(800, 600);
  DrawModel(plain, *model, view, nullptr);
  EXPECT_TRUE(EdgeLoadLines(plain).empty());
}

// Two loads on one spot: the second label would cover the first.
TEST(DrawModel, ALabelThatWouldOverlapOneDrawnIsLeftOut) {
  auto model = SquareModel();
  model->nodes[2].load = 5;
  model->nodes[3].load = 7;
  model->nodes[4].load = 9;
  model->nodes[3].x = 10;
  model->nodes[3].y = 0.05;  // less than a pixel from node 2
  RecordingCanvas canvas(800, 600);
  ViewTransform view;
  DrawModel(canvas, *model, view, nullptr);
  std::vector<std::string> labels;
  for (const DrawCall& call : OfKind(canvas, Primitive::Text)) labels.push_back(call.text);
  EXPECT_EQ(labels, (std::vector<std::string>{"5", "9"}));
}

}  // namespace
}  // namespace trivane
