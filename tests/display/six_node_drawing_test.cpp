// Six-node triangles on the screen: curved sides through their middle nodes,
// fields painted inside with the element's own interpolation, and no gap
// where elements meet.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "analysis/elements/quadratic_triangle.h"
#include "display/element_shape.h"
#include "display/model_drawing.h"
#include "display/result_picture.h"
#include "display/recording_canvas.h"
#include "display/smooth_plot.h"
#include "display/stress_plot.h"
#include "drawing_fixtures.h"
#include "meshes.h"

namespace trivane {
namespace {

TEST(SideSegments, OneForAChordWithinHalfAPixelElseEvenAndWithinHalfAPixel) {
  const std::pair<double, int32_t> cases[] = {
      {0.0, 1}, {0.5, 1}, {0.51, 2}, {2.0, 2}, {2.01, 4}, {85.4, 14}, {1e9, MaxSideSegments}, {NAN, 1}};
  for (const auto& [offset, segments] : cases) EXPECT_EQ(SideSegments(offset), segments) << offset;
}

// One element, corners (0,0), (10,0), (0,10); side 1-2 bends down through
// node 4 at (5,-2), the other sides are straight. At 1024 x 640 the view
// fits y from -2 to 10: 42.67 pixels a unit, node 4 85.3 pixels off the
// chord, so side 1-2 takes 14 segments.
std::unique_ptr<Model> CurvedElement() {
  auto model = std::make_unique<Model>();
  const double xy[][2] = {{0, 0}, {10, 0}, {0, 10}, {5, -2}, {5, 5}, {0, 5}};
  model->nodeCount = 6;
  for (int32_t k = 1; k <= 6; ++k) model->nodes[k] = {xy[k - 1][0], xy[k - 1][1]};
  model->elementCount = 1;
  model->elements[1] = {{1, 2, 3, 4, 5, 6}, 6};
  model->elementOrder = 2;
  UpdateBounds(*model);
  return model;
}

Pixel PixelOf(const ViewTransform& view, const Model& model, int32_t node) {
  return ToPixel(view, model.nodes[node].x, model.nodes[node].y);
}

TEST(SixNodeDrawing, ACurvedSidePassesThroughItsMiddleNodeAndStraightSidesAddNoPoints) {
  const auto model = CurvedElement();
  RecordingCanvas canvas;
  ViewTransform view;
  DrawModel(canvas, *model, view, nullptr, Outlines::On);
  std::vector<Pixel> outline;
  for (const DrawCall& call : canvas.Calls())
    if (call.kind == Primitive::Polygon) outline = call.points;
  ASSERT_EQ(outline.size(), 16u);
  EXPECT_EQ(outline[0], PixelOf(view, *model, 1));
  EXPECT_EQ(outline[7], PixelOf(view, *model, 4));
  EXPECT_EQ(outline[14], PixelOf(view, *model, 2));
  EXPECT_EQ(outline[15], PixelOf(view, *model, 3));
  // Every node, the middle ones too, carries the same mark.
  std::vector<Pixel> marks;
  for (const DrawCall& call : canvas.Calls())
    if (call.kind == Primitive::Rectangle && call.points[0].x > 0) marks.push_back({call.points[0].x + 1, call.points[0].y + 1});
  std::vector<Pixel> nodes;
  for (int32_t k = 1; k <= 6; ++k) nodes.push_back(PixelOf(view, *model, k));
  EXPECT_EQ(marks, nodes);

  // Zoomed to the bottom of the bend, every node off the surface: the curve
  // still crosses it, and is drawn.
  RecordingCanvas zoomed;
  ShowRectangle(view, 4.5, -2.2, 5.5, -1.2, zoomed.Width(), zoomed.Height());
  DrawModel(zoomed, *model, view, nullptr, Outlines::On);
  EXPECT_TRUE(std::any_of(zoomed.Calls().begin(), zoomed.Calls().end(),
                          [](const DrawCall& call) { return call.kind == Primitive::Polygon; }));
}

using testing::Numbered;
using testing::Painted;

// The pixel of the element's point at area coordinates (l1, l2, l3).
Pixel PixelAt(const ViewTransform& view, const Model& model, double l2, double l3) {
  const ShapeValues n = QuadraticTriangle().N({l2, l3});
  double x = 0, y = 0;
  for (int32_t k = 0; k < 6; ++k) {
    x += n[static_cast<std::size_t>(k)] * model.nodes[k + 1].x;
    y += n[static_cast<std::size_t>(k)] * model.nodes[k + 1].y;
  }
  return ToPixel(view, x, y);
}

// Values 0 ... 10: index = ColourIndex(10, v, 14.9). The element's own stresses
// are the linear field of its corners; a smooth field the quadratic of its six
// nodes. (4/14, 5/14) is a point of the 14-segment subdivision, inside.
TEST(SixNodeDrawing, FieldsArePaintedWithTheElementsInterpolationOverTheCurvedShape) {
  const auto model = CurvedElement();
  const ViewTransform fitted = [&] {
    ViewTransform v;
    FitView(v, model->bounds, 1024, 640);
    return v;
  }();
  const auto index = [](double v) { return ColourIndex(10, v, 149.0 / 10); };
  const auto at = [](const std::map<std::pair<int32_t, int32_t>, int32_t>& pixels, Pixel p) {
    return pixels.count({p.x, p.y}) ? pixels.at({p.x, p.y}) : -1;
  };
  const Pixel inside = PixelAt(fitted, *model, 4.0 / 14, 5.0 / 14);
  {
    RecordingCanvas canvas;
    ViewTransform view;
    const std::vector<double> corners{0, 10, 4};
    const ValueRange range = DrawStressPlot(canvas, *model, corners, Numbered(), view, Outlines::On, 3);
    EXPECT_EQ(range.max, 10.0);
    const auto painted = Painted(canvas);
    EXPECT_EQ(at(painted, PixelOf(view, *model, 1)), 149);
    EXPECT_EQ(at(painted, PixelOf(view, *model, 2)), 0);
    EXPECT_EQ(at(painted, PixelOf(view, *model, 3)), index(4));
    EXPECT_EQ(at(painted, PixelOf(view, *model, 4)), index(5));  // halfway along the curved side
    EXPECT_EQ(at(painted, inside), index((0 * 5 + 10 * 4 + 4 * 5) / 14.0));
    EXPECT_EQ(at(painted, {PixelOf(view, *model, 4).x, PixelOf(view, *model, 4).y + 1}), -1);  // below the curve
    // The outline goes over the paint, through the curve's points.
    ASSERT_EQ(canvas.Calls().back().kind, Primitive::Polygon);
    EXPECT_EQ(canvas.Calls().back().points.size(), 16u);
    EXPECT_EQ(canvas.Calls().back().attributes.brushStyle, BrushStyle::Hollow);
  }
  {
    RecordingCanvas canvas;
    ViewTransform view;
    const std::vector<double> nodes{0, 10, 4, 8, 7, 1};
    DrawSmoothPlot(canvas, *model, nodes, Numbered(), view);
    const auto painted = Painted(canvas);
    EXPECT_EQ(at(painted, PixelOf(view, *model, 4)), index(8));
    EXPECT_EQ(at(painted, PixelOf(view, *model, 6)), index(1));
    const ShapeValues n = QuadraticTriangle().N({4.0 / 14, 5.0 / 14});
    double v = 0;
    for (std::size_t k = 0; k < 6; ++k) v += n[k] * nodes[k];
    EXPECT_EQ(at(painted, inside), index(v));
  }
}

// The window's and render's routine paints a six-node model's stresses at its
// corners, not the element's one mean (hand-made results: corners 0, 10, 4).
TEST(SixNodeDrawing, TheResultPicturePaintsTheCornerStresses) {
  const auto model = CurvedElement();
  Solution results;
  results.nodeCount = 6;
  results.elementCount = 1;
  results.displacements.assign(12, 0.0);
  results.stressPoints = 3;
  for (std::size_t k = 0; k < 6; ++k) {
    results.pointStresses[k] = {0, 10, 4};
    results.stresses[k] = {14.0 / 3};
  }
  results.pointMises = {1, 9, 5};
  results.mises = {14.0 / 3};
  RecordingCanvas canvas;
  const Palette palette = Numbered();
  const DrawnPicture drawn = DrawResultPicture(canvas, {.kind = PictureKind::Stress, .field = ResultField::Sigma1},
                                               {.model = *model, .results = &results, .palette = palette});
  EXPECT_EQ(drawn.range.min, 0.0);
  EXPECT_EQ(drawn.range.max, 10.0);
  EXPECT_EQ(Painted(canvas).at({PixelOf(drawn.view, *model, 2).x, PixelOf(drawn.view, *model, 2).y}), 0);
}

// Load diagrams stand on the curve: at the middle of a bent side the tails'
// line lies the arrow's length from the middle node, normal to the chord,
// into the element's side (found from its corners, not from a middle node
// that bulges out). Water at level 0 wets side 1-2 only below its ends,
// deepest at its middle, where it is the largest load: 40 pixels there, the
// pressure of half its value 20.
TEST(SixNodeDrawing, EdgeLoadDiagramsFollowACurvedSide) {
  auto model = CurvedElement();
  model->nodes[6] = {-2, 5};
  UpdateBounds(*model);
  model->conditions.edgeLoads = {{{3, 1}, EdgeLoadKind::Pressure, 1.0, 0.0}, {{1, 2}, EdgeLoadKind::Water, 0.0, 1.0}};
  RecordingCanvas canvas;
  ViewTransform view;
  DrawModel(canvas, *model, view, nullptr);
  const auto hasPoint = [&](Pixel p) {
    for (const DrawCall& call : canvas.Calls())
      if (call.kind == Primitive::Line && (call.points[0] == p || call.points[1] == p)) return true;
    return false;
  };
  const Pixel p6 = PixelOf(view, *model, 6), p4 = PixelOf(view, *model, 4);
  EXPECT_TRUE(hasPoint({p6.x - 20, p6.y}));
  EXPECT_TRUE(hasPoint({p4.x, p4.y + 40}));
}

// A quadrilateral split along a bent diagonal (1-3 through (5.5, 4)), and a
// straight element beside it on the slanted side 2-3: elements meeting on a
// curved side, and a curved element meeting a straight one, leave no
// unpainted pixel in any row of their convex whole.
TEST(SixNodeDrawing, ElementsMeetWithoutAGapAlongCurvedAndStraightSides) {
  auto model = std::make_unique<Model>();
  const double xy[][2] = {{0, 0}, {10, 1}, {9, 10}, {0, 10}, {20, 4}};
  model->nodeCount = 5;
  for (int32_t k = 1; k <= 5; ++k) model->nodes[k] = {xy[k - 1][0], xy[k - 1][1]};
  model->elementCount = 3;
  model->elements[1] = {1, 2, 3};
  model->elements[2] = {1, 3, 4};
  model->elements[3] = {2, 5, 3};
  *model = examples::WithMiddleNodes(std::move(*model));
  model->nodes[model->elements[1].node[5]] = {5.5, 4};  // side 3-1 of element 1, side 1-3 of element 2
  for (const bool smooth : {true, false}) {
    RecordingCanvas canvas(400, 250);
    ViewTransform view;
    const std::vector<double> values(18, 1.0);
    if (smooth)
      DrawSmoothPlot(canvas, *model, values, Numbered(), view);
    else
      DrawStressPlot(canvas, *model, values, Numbered(), view, Outlines::Off, 3);
    std::map<int32_t, std::vector<int32_t>> rows;
    for (const auto& [pixel, colour] : Painted(canvas)) rows[pixel.second].push_back(pixel.first);
    ASSERT_FALSE(rows.empty());
    for (const auto& [y, xs] : rows) EXPECT_EQ(xs.back() - xs.front() + 1, static_cast<int32_t>(xs.size())) << y;
  }
}

}  // namespace
}  // namespace trivane
