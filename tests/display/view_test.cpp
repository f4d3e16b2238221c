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

TEST(FitView, ExtremesOfAWideModelLandAtTenPercentMargins) {
  ViewTransform view;
  FitView(view, Bounds(0, 200, 0, 100), 800, 600);
  EXPECT_EQ(ToPixel(view, 0, 50), (Pixel{80, 300}));
  EXPECT_EQ(ToPixel(view, 200, 50), (Pixel{720, 300}));
}

TEST(ToPixel, CentreOfAnOddImageMapsToTheTruncatedHalf) {
  ViewTransform view;
  FitView(view, Bounds(-1, 1, -1, 1), 805, 601);
  EXPECT_EQ(ToPixel(view, 0, 0), (Pixel{402, 300}));
}

TEST(ToPixel, YAxisPointsUp) {
  const ViewTransform view{0, 0, 10, 100, 100};
  EXPECT_EQ(ToPixel(view, 1, 1), (Pixel{110, 90}));
}

struct TieCase {
  double x;
  int32_t px;
};

class ToPixelTies : public ::testing::TestWithParam<TieCase> {};

TEST_P(ToPixelTies, HalvesGoToTheEvenNeighbour) {
  const ViewTransform view{0, 0, 1, 400, 0};
  EXPECT_EQ(ToPixel(view, GetParam().x, 0).x, GetParam().px);
}

INSTANTIATE_TEST_SUITE_P(Rows, ToPixelTies,
                         ::testing::Values(TieCase{2.5, 402}, TieCase{3.5, 404}, TieCase{-0.5, 400},
                                           TieCase{-1.5, 398}, TieCase{2.4999, 402}, TieCase{2.5001, 403}));

TEST(ToPixel, RoundsTheWholeSumNotItsParts) {
  // 1.5 + 1 = 2.5 rounds to 2; rounding 1.5 first would give 2 + 1.
  const ViewTransform view{0, 0, 1, 1, 0};
  EXPECT_EQ(ToPixel(view, 1.5, 0).x, 2);
}

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
