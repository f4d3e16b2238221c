#include "display_qt/qt_canvas.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <functional>
#include <random>

namespace trivane {
namespace {

class QtCanvasTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (QGuiApplication::instance() == nullptr) {
      if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
      static int argc = 1;
      static char name[] = "display_qt_tests";
      static char* argv[] = {name, nullptr};
      static QGuiApplication app(argc, argv);
    }
  }
};

constexpr Rgb White{255, 255, 255};
constexpr Rgb Red{255, 0, 0};
constexpr Rgb Black{0, 0, 0};

Rgb At(const QtCanvas& canvas, int x, int y) {
  const QRgb p = canvas.Image().pixel(x, y);
  return {static_cast<uint8_t>(qRed(p)), static_cast<uint8_t>(qGreen(p)), static_cast<uint8_t>(qBlue(p))};
}

// Checks every pixel of the raster against the expected colour at it.
void ExpectPicture(const QtCanvas& canvas, const std::function<Rgb(int, int)>& expected) {
  int wrong = 0;
  for (int y = 0; y < canvas.Image().height(); ++y) {
    for (int x = 0; x < canvas.Image().width(); ++x) {
      if (At(canvas, x, y) != expected(x, y) && ++wrong <= 5) ADD_FAILURE() << "pixel " << x << "," << y;
    }
  }
}

struct BoxCase {
  const char* name;
  int l, t, r, b;
  BrushStyle brush;
};

class RectangleRules : public QtCanvasTest, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(RectangleRules, CoversColumnsLeftToRightMinusOneAndRowsTopToBottomMinusOne) {
  const BoxCase& c = GetParam();
  QtCanvas canvas(24, 20);
  canvas.SetPenColour(White);
  canvas.SetBrushColour(Red);
  canvas.SetBrushStyle(c.brush);
  canvas.Rectangle(c.l, c.t, c.r, c.b);
  const int l = std::min(c.l, c.r), r = std::max(c.l, c.r), t = std::min(c.t, c.b), b = std::max(c.t, c.b);
  ExpectPicture(canvas, [&](int x, int y) {
    if (x < l || x >= r || y < t || y >= b) return Black;
    if (x == l || x == r - 1 || y == t || y == b - 1) return White;
    return c.brush == BrushStyle::Solid ? Red : Black;
  });
}

INSTANTIATE_TEST_SUITE_P(Rows, RectangleRules,
                         ::testing::Values(BoxCase{"Filled", 3, 4, 10, 9, BrushStyle::Solid},
                                           BoxCase{"Hollow", 3, 4, 10, 9, BrushStyle::Hollow},
                                           BoxCase{"CornersGivenBackwards", 10, 9, 3, 4, BrushStyle::Solid},
                                           BoxCase{"OneColumn", 5, 2, 6, 12, BrushStyle::Solid},
                                           BoxCase{"OnePixel", 5, 2, 6, 3, BrushStyle::Solid},
                                           BoxCase{"Empty", 5, 2, 5, 12, BrushStyle::Solid},
                                           BoxCase{"WholeRaster", 0, 0, 24, 20, BrushStyle::Solid},
                                           BoxCase{"ReachingPastTheRaster", -5, -3, 40, 30, BrushStyle::Solid}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QtCanvasTest, LineToCoversItsStartButNotItsEnd) {
  QtCanvas canvas(12, 12);
  canvas.SetPenColour(White);
  canvas.MoveTo(2, 3);
  canvas.LineTo(7, 3);
  canvas.LineTo(7, 8);
  EXPECT_EQ(canvas.PenPosition(), (Pixel{7, 8}));
  ExpectPicture(canvas, [](int x, int y) {
    return (y == 3 && x >= 2 && x <= 7) || (x == 7 && y >= 3 && y < 8) ? White : Black;
  });
}

TEST_F(QtCanvasTest, PolygonIsFilledInsideItsCornersAndOutlinedThroughThem) {
  QtCanvas canvas(16, 14);
  canvas.SetPenColour(White);
  canvas.SetBrushColour(Red);
  const Pixel square[] = {{3, 4}, {10, 4}, {10, 9}, {3, 9}};
  canvas.Polygon(square);
  ExpectPicture(canvas, [](int x, int y) {
    if (x < 3 || x > 10 || y < 4 || y > 9) return Black;
    return x == 3 || x == 10 || y == 4 || y == 9 ? White : Red;
  });
}

TEST_F(QtCanvasTest, TrianglesFarOutsideTheRasterStillFillWhatShows) {
  QtCanvas canvas(64, 48);
  canvas.SetPenColour(White);
  canvas.SetBrushColour(Red);
  const Pixel huge[] = {{-(1 << 30), -(1 << 30)}, {1 << 30, -(1 << 30)}, {0, 1 << 30}};
  canvas.Polygon(huge);
  ExpectPicture(canvas, [](int, int) { return Red; });
  const Pixel away[] = {{-(1 << 30), 5}, {-(1 << 30) + 10, 5}, {-(1 << 30), 50}};
  canvas.Polygon(away);
  ExpectPicture(canvas, [](int, int) { return Red; });
}

TEST_F(QtCanvasTest, EllipseStaysInsideItsBoxAndReachesEverySide) {
  QtCanvas canvas(20, 20);
  canvas.SetPenColour(White);
  canvas.SetBrushStyle(BrushStyle::Hollow);
  canvas.Ellipse(4, 5, 10, 11);
  int left = 99, right = -1, top = 99, bottom = -1;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      if (At(canvas, x, y) == Black) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  EXPECT_EQ(left, 4);
  EXPECT_EQ(right, 9);
  EXPECT_EQ(top, 5);
  EXPECT_EQ(bottom, 10);
  EXPECT_EQ(At(canvas, 7, 8), Black);  // hollow
}

TEST_F(QtCanvasTest, InvertingDashedRectangleDrawnTwiceRestoresThePicture) {
  QtCanvas canvas(120, 90);
  std::mt19937 random(7);
  canvas.SetPenColour(White);
  for (int k = 0; k < 30; ++k) {
    canvas.SetBrushColour({static_cast<uint8_t>(random()), static_cast<uint8_t>(random()),
                           static_cast<uint8_t>(random())});
    const Pixel triangle[] = {{static_cast<int32_t>(random() % 120), static_cast<int32_t>(random() % 90)},
                              {static_cast<int32_t>(random() % 120), static_cast<int32_t>(random() % 90)},
                              {static_cast<int32_t>(random() % 120), static_cast<int32_t>(random() % 90)}};
    canvas.Polygon(triangle);
  }
  const QImage before = canvas.Image().copy();
  canvas.SetPenMode(PenMode::Invert);
  canvas.SetPenStyle(PenStyle::Dashed);
  canvas.SetBrushStyle(BrushStyle::Hollow);
  for (const auto& [l, t, r, b] : {std::array{10, 12, 80, 60}, std::array{80, 60, 10, 12},
                                   std::array{30, 30, 31, 70}, std::array{30, 30, 30, 30},
                                   std::array{-20, 40, 200, 85}, std::array{5, 5, 7, 7}}) {
    canvas.Rectangle(l, t, r, b);
    if (r - l > 2 && b - t > 2) {
      // Once: only frame pixels change, to their inverse; the dashes leave gaps.
      int changed = 0, frame = 0;
      for (int y = 0; y < 90; ++y) {
        for (int x = 0; x < 120; ++x) {
          const bool onFrame = (x == l || x == r - 1) ? y >= t && y < b : (y == t || y == b - 1) && x >= l && x < r;
          frame += onFrame;
          const QRgb now = canvas.Image().pixel(x, y);
          const QRgb was = before.pixel(x, y);
          if (now == was) continue;
          ++changed;
          EXPECT_TRUE(onFrame) << x << "," << y;
          EXPECT_EQ(now & 0xFFFFFF, ~was & 0xFFFFFF);
        }
      }
      EXPECT_GT(changed, frame / 2);
      EXPECT_LT(changed, frame);
    }
    canvas.Rectangle(l, t, r, b);
    EXPECT_EQ(canvas.Image(), before) << l << "," << t << "," << r << "," << b;
  }
}

TEST_F(QtCanvasTest, WidePenLinesAndTextDrawInTheirColours) {
  QtCanvas canvas(200, 100);
  canvas.SetPenColour(Red);
  canvas.SetPenWidth(2);
  canvas.MoveTo(10, 10);
  canvas.LineTo(50, 10);
  EXPECT_EQ(At(canvas, 30, 9), Red);
  EXPECT_EQ(At(canvas, 30, 10), Red);
  EXPECT_EQ(At(canvas, 30, 12), Black);

  canvas.SetFontColour(White);
  canvas.TextOut(100, 40, "-2.5");
  int lit = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (At(canvas, x, y) != White) continue;
      ++lit;
      EXPECT_GE(x, 100);
      EXPECT_GE(y, 40);
    }
  }
  EXPECT_GT(lit, 10);
}

TEST_F(QtCanvasTest, VisibleSizeIsWhatRoutinesFitToAndNeverExceedsTheRaster) {
  QtCanvas canvas(1024, 640);
  EXPECT_EQ(canvas.Width(), 1024);
  canvas.SetVisibleSize(805, 2000);
  EXPECT_EQ(canvas.Width(), 805);
  EXPECT_EQ(canvas.Height(), 640);
}

}  // namespace
}  // namespace trivane
