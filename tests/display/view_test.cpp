#include "display/view.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::Close;

ModelBounds Bounds(double xmin, double xmax, double ymin, double ymax) {
  ModelBounds b;
  b.xmin = xmin;
  b.xmax = xmax;
  b.ymin = ymin;
  b.ymax = ymax;
  return b;
}

struct FitCase {
  const char* name;
  ModelBounds bounds;
  int32_t width;
  int32_t height;
  double scale;
  double centreX;
  double centreY;
};

class FitViewTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitViewTest, ScaleAndCentre) {
  const FitCase& c = GetParam();
  ViewTransform view;
  FitView(view, c.bounds, c.width, c.height);
  EXPECT_TRUE(Close(view.scale, c.scale));
  EXPECT_EQ(view.centreX, c.centreX);
  EXPECT_EQ(view.centreY, c.centreY);
  EXPECT_EQ(view.halfWidth, c.width / 2);
  EXPECT_EQ(view.halfHeight, c.height / 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitViewTest,
    ::testing::Values(FitCase{"WiderThanTall", Bounds(0, 200, 0, 100), 800, 600, 3.2, 100, 50},
                      FitCase{"TallerThanWide", Bounds(0, 100, 0, 200), 800, 600, 2.4, 50, 100},
                      FitCase{"EqualRatiosFitTheWidth", Bounds(0, 100, 0, 75), 800, 600, 6.4, 50, 37.5},
                      FitCase{"VerticalLineFitsTheHeight", Bounds(5, 5, -10, 10), 800, 600, 24.0, 5, 0},
                      FitCase{"HorizontalLineFitsTheWidth", Bounds(-10, 10, 3, 3), 800, 600, 32.0, 0, 3},
                      FitCase{"SinglePointKeepsScaleOne", Bounds(7, 7, -2, -2), 800, 600, 1.0, 7, -2},
                      FitCase{"AllZeroBounds", Bounds(0, 0, 0, 0), 1024, 640, 1.0, 0, 0},
                      FitCase{"OddSizes", Bounds(-1, 1, -1, 1), 805, 601, 0.8 * 601 / 2, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FitView, PutsTheExtremesAtTenPercentMarginsAndTheCentreAtTheTruncatedHalf) {
  ViewTransform wide;
  FitView(wide, Bounds(0, 200, 0, 100), 800, 600);
  EXPECT_EQ(ToPixel(wide, 0, 50), (Pixel{80, 300}));
  EXPECT_EQ(ToPixel(wide, 200, 50), (Pixel{720, 300}));
  ViewTransform odd;
  FitView(odd, Bounds(-1, 1, -1, 1), 805, 601);
  EXPECT_EQ(ToPixel(odd, 0, 0), (Pixel{402, 300}));
}

struct PixelCase {
  const char* name;
  ViewTransform view;
  double x, y;
  Pixel pixel;
};

class ToPixelRounding : public ::testing::TestWithParam<PixelCase> {};

TEST_P(ToPixelRounding, NearestPixelTiesToEven) {
  const PixelCase& c = GetParam();
  EXPECT_EQ(ToPixel(c.view, c.x, c.y), c.pixel);
}

const ViewTransform Unit{0, 0, 1, 400, 0};

INSTANTIATE_TEST_SUITE_P(
    Rows, ToPixelRounding,
    ::testing::Values(PixelCase{"YAxisPointsUp", {0, 0, 10, 100, 100}, 1, 1, {110, 90}},
                      PixelCase{"HalfUpToEven", Unit, 2.5, 0, {402, 0}},
                      PixelCase{"HalfUpToEvenAbove", Unit, 3.5, 0, {404, 0}},
                      PixelCase{"NegativeHalfToEven", Unit, -0.5, 0, {400, 0}},
                      PixelCase{"NegativeHalfDownToEven", Unit, -1.5, 0, {398, 0}},
                      PixelCase{"JustBelowHalf", Unit, 2.4999, 0, {402, 0}},
                      PixelCase{"JustAboveHalf", Unit, 2.5001, 0, {403, 0}},
                      // 1.5 + 1 = 2.5 rounds to 2; rounding 1.5 first would give 2 + 1.
                      PixelCase{"WholeSumRounded", {0, 0, 1, 1, 0}, 1.5, 0, {2, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ToPixel, HugeAndInvalidCoordinatesAreClampedFarOutside) {
  const ViewTransform view{0, 0, 1e300, 512, 320};
  const Pixel far = ToPixel(view, 1e10, -1e10);
  EXPECT_GT(far.x, 1 << 29);
  EXPECT_GT(far.y, 1 << 29);
  const Pixel nan = ToPixel(view, std::numeric_limits<double>::quiet_NaN(), 0);
  EXPECT_LT(nan.x, -(1 << 29));
  // A glyph's offsets on a clamped position must not overflow.
  EXPECT_LT(far.x, std::numeric_limits<int32_t>::max() - 100);
}

}  // namespace
}  // namespace trivane

namespace trivane {
namespace {

// Zooms about a pixel and pans, from the fit of a 200 x 100 model on an
// 800 x 600 image: the model point under the pointer stays under it.
struct MoveCase {
  const char* name;
  double factor;  // 0: pan instead
  int32_t x, y;   // the pointer, or the pan in pixels
  double scale;   // afterwards
};

class MoveView : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MoveView, KeepsThePointUnderThePointer) {
  const MoveCase& c = GetParam();
  const ModelBounds bounds = Bounds(0, 200, 0, 100);
  ViewTransform view;
  UpdateView(view, bounds, 800, 600);
  const ModelPoint anchor = FromPixel(view, c.x, c.y);
  if (c.factor > 0) {
    ZoomAbout(view, bounds, c.factor, c.x, c.y);
    EXPECT_NEAR(FromPixel(view, c.x, c.y).x, anchor.x, 1e-9);
    EXPECT_NEAR(FromPixel(view, c.x, c.y).y, anchor.y, 1e-9);
  } else {
    PanBy(view, c.x, c.y);
    EXPECT_EQ(ToPixel(view, anchor.x, anchor.y), (Pixel{2 * c.x, 2 * c.y}));
  }
  EXPECT_DOUBLE_EQ(view.scale, c.scale);
  EXPECT_FALSE(view.fitted);
  // A redraw at another size keeps the centre and the scale.
  const ViewTransform moved = view;
  UpdateView(view, bounds, 805, 401);
  EXPECT_EQ(view, (ViewTransform{moved.centreX, moved.centreY, moved.scale, 402, 200, false}));
  view.fitted = true;
  UpdateView(view, bounds, 800, 600);
  EXPECT_EQ(view.scale, 3.2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MoveView,
    ::testing::Values(MoveCase{"WheelInAtACorner", 1.25, 17, 590, 4.0}, MoveCase{"OutAboutTheCentre", 0.8, 400, 300, 2.56},
                      MoveCase{"FarInStopsAtAMillionFits", 1e9, 123, 45, 3.2e6},
                      MoveCase{"FarOutStopsAtATenthOfTheFit", 1e-9, 700, 10, 0.32},
                      MoveCase{"Pan", 0, 30, -40, 3.2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShowRectangle, PutsTheRectangleEdgeToEdgeAlongItsLargerRelativeExtent) {
  ViewTransform view;
  ShowRectangle(view, 10, 5, 30, 7, 400, 200);  // 20 x 2: the width fills 400 pixels
  EXPECT_EQ(ToPixel(view, 10, 6), (Pixel{0, 100}));
  EXPECT_EQ(ToPixel(view, 30, 6), (Pixel{400, 100}));
  EXPECT_EQ(view.scale, 20.0);
  EXPECT_FALSE(view.fitted);
}

}  // namespace
}  // namespace trivane
