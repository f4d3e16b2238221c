#include "display/deformed_plot.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "display/recording_canvas.h"
#include "drawing_fixtures.h"
#include "model/errors.h"
#include "support/model_bits.h"

namespace trivane {
namespace {

using testing::SquareModel;

// The pixels of element 1's corners (nodes 1, 2, 3) in the last picture.
std::vector<Pixel> FirstElement(const RecordingCanvas& canvas) {
  for (const DrawCall& call : canvas.Calls()) {
    if (call.kind == Primitive::Polygon) return call.points;
  }
  return {};
}

struct DirectionCase {
  const char* name;
  double u2, v2;   // node 2's displacement; the others are fixed
  Pixel shift;     // where node 2 is drawn relative to its undeformed pixel
};

class DeformedDirection : public ::testing::TestWithParam<DirectionCase> {};

TEST_P(DeformedDirection, LargestComponentIsSixtyPixelsTheWayTheNodeMoves) {
  const DirectionCase& c = GetParam();
  auto model = SquareModel();
  RecordingCanvas canvas(800, 600);
  ViewTransform view;
  DrawModel(canvas, *model, view, nullptr);
  const std::vector<Pixel> before = FirstElement(canvas);

  std::vector<double> displacements(1000, 0.0);
  displacements[2] = c.u2;
  displacements[3] = c.v2;
  canvas.Clear();
  DrawDeformedShape(canvas, *model, displacements, view, nullptr);
  const std::vector<Pixel> after = FirstElement(canvas);
  ASSERT_EQ(after.size(), 3u);
  EXPECT_EQ(after[0], before[0]);
  EXPECT_EQ(after[1], (Pixel{before[1].x + c.shift.x, before[1].y + c.shift.y}));
  EXPECT_EQ(after[2], before[2]);
}

INSTANTIATE_TEST_SUITE_P(Rows, DeformedDirection,
                         ::testing::Values(DirectionCase{"Left", -0.002, 0, {-60, 0}},
                                           DirectionCase{"RightAndUp", 0.001, 0.001, {60, -60}},
                                           DirectionCase{"Down", 0, -5, {0, 60}},
                                           DirectionCase{"MostlyRight", 0.004, -0.001, {60, 15}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DeformedShape, PutsEveryCoordinateBackBitForBitAndDrawsTheSameTwice) {
  auto model = SquareModel();
  model->nodes[2] = {0.1, 1.0 / 3.0};
  model->nodes[3] = {10.000000000000002, 9.7};
  UpdateBounds(*model);
  const auto saved = std::make_unique<Model>(*model);
  const std::vector<double> displacements{1e-3, -2e-4, 3.3e-3, 7e-7, -1.1e-3, 0, 2e-3, 1e-9};
  RecordingCanvas canvas;
  ViewTransform view;
  DrawDeformedShape(canvas, *model, displacements, view, nullptr);
  const std::vector<DrawCall> first = canvas.Calls();
  EXPECT_TRUE(testing::IdenticalModels(*model, *saved));
  canvas.Clear();
  DrawDeformedShape(canvas, *model, displacements, view, nullptr);
  EXPECT_EQ(canvas.Calls(), first);
  EXPECT_TRUE(testing::IdenticalModels(*model, *saved));
}

// A canvas that gives out after the background, as a device can.
class FailingCanvas : public RecordingCanvas {
 public:
  void Polygon(std::span<const Pixel>) override { throw Error("device lost"); }
};

TEST(DeformedShape, ADrawingThatFailsStillPutsEveryCoordinateBack) {
  auto model = SquareModel();
  const auto saved = std::make_unique<Model>(*model);
  FailingCanvas canvas;
  ViewTransform view;
  const std::vector<double> displacements{1e-3, -2e-4, 3.3e-3, 7e-7, -1.1e-3, 0, 2e-3, 1e-9};
  EXPECT_THROW(DrawDeformedShape(canvas, *model, displacements, view, nullptr), Error);
  EXPECT_TRUE(testing::IdenticalModels(*model, *saved));
}

TEST(DeformedShape, NoDisplacementAtAllIsADivisionByZeroWithNothingMovedOrDrawn) {
  auto model = SquareModel();
  const auto saved = std::make_unique<Model>(*model);
  RecordingCanvas canvas;
  const ViewTransform before{1, 2, 3, 4, 5};
  ViewTransform view = before;
  const std::vector<double> zeros(1000, 0.0);
  try {
    DrawDeformedShape(canvas, *model, zeros, view, nullptr);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Floating point division by zero");
  }
  EXPECT_TRUE(canvas.Calls().empty());
  EXPECT_EQ(view, before);
  EXPECT_TRUE(testing::IdenticalModels(*model, *saved));
}

TEST(DeformedShape, EmptyModelJustRedraws) {
  Model model;
  RecordingCanvas canvas;
  ViewTransform view;
  DrawDeformedShape(canvas, model, std::vector<double>(1000, 0.0), view, nullptr);
  ASSERT_EQ(canvas.Calls().size(), 1u);
  EXPECT_EQ(canvas.Calls()[0].kind, Primitive::Rectangle);
}

// Results of a smaller model do not cover this one: refused, nothing drawn.
TEST(DeformedShape, DisplacementsOfAnotherModelAreRefused) {
  auto model = SquareModel();
  RecordingCanvas canvas;
  ViewTransform view;
  EXPECT_THROW(DrawDeformedShape(canvas, *model, std::vector<double>(7, 1.0), view, nullptr), Error);
  EXPECT_TRUE(canvas.Calls().empty());
}

// A magnification of the user's own: node 2 moves by 500 u model units, and
// zero displacements draw the model as it is.
TEST(DeformedShape, AGivenMagnificationScalesEveryDisplacement) {
  auto model = SquareModel();
  RecordingCanvas canvas(800, 600);
  ViewTransform view;
  DrawModel(canvas, *model, view, nullptr);
  const std::vector<Pixel> before = FirstElement(canvas);
  std::vector<double> displacements(8, 0.0);
  displacements[2] = 0.01;
  canvas.Clear();
  const DeformedScale scale = DrawDeformedShape(canvas, *model, displacements, view, nullptr, 500.0);
  EXPECT_EQ(scale.magnification, 500.0);
  EXPECT_EQ(FirstElement(canvas)[1], ToPixel(view, 10 + 5, 0));
  EXPECT_EQ(FirstElement(canvas)[0], before[0]);
  canvas.Clear();
  DrawDeformedShape(canvas, *model, std::vector<double>(8, 0.0), view, nullptr, 500.0);
  EXPECT_EQ(FirstElement(canvas), before);
}

}  // namespace
}  // namespace trivane
