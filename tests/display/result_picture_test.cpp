// The picture routine: each part of a spec shows in what is drawn, and only
// where the spec asks for it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "analysis/compute.h"
#include "display/principal_directions.h"
#include "display/recording_canvas.h"
#include "display/result_picture.h"
#include "drawing_fixtures.h"
#include "model/errors.h"

namespace trivane {
namespace {

constexpr int32_t Width = 300;
constexpr int32_t Height = 200;

// What a picture can hold, told apart by how it is drawn.
enum Feature : unsigned {
  GreyMesh = 1,
  PaletteFills = 2,       // elements filled with palette colours: an element plot
  PaintedPixels = 4,      // a smooth plot
  WhiteOutlines = 8,
  Directions = 16,        // the sigma 2 marks
  TextBeside = 32,        // a legend right of the visible width
  PastTheCanvas = 64,     // elements reaching far beyond it: a zoomed view
};

// The test palette's colours are {k, 0, 255 - k}.
bool FromPalette(Rgb c) { return c.g == 0 && c.r < PaletteSize && c.b == 255 - c.r; }

unsigned FeaturesOf(const RecordingCanvas& canvas) {
  unsigned features = 0;
  for (const DrawCall& d : canvas.Calls()) {
    const CanvasAttributes& a = d.attributes;
    if (d.kind == Primitive::Polygon) {
      if (a.brushColour == Rgb{150, 150, 150}) features |= GreyMesh;
      if (FromPalette(a.brushColour)) features |= PaletteFills;
      if (a.penColour == Rgb{255, 255, 255}) features |= WhiteOutlines;
      for (const Pixel& p : d.points)
        if (p.x > 2 * Width) features |= PastTheCanvas;
    }
    if (d.kind == Primitive::Pixels) features |= PaintedPixels;
    if (d.kind == Primitive::Line && a.penColour == Sigma2Colour) features |= Directions;
    if (d.kind == Primitive::Text && d.points[0].x >= Width) features |= TextBeside;
  }
  return features;
}

// The legend's first line; empty without a legend.
std::string LegendTitle(const RecordingCanvas& canvas) {
  for (const DrawCall& d : canvas.Calls())
    if (d.kind == Primitive::Text && d.points[0].x >= Width) return d.text;
  return "";
}

struct PictureRow {
  const char* name;
  std::function<void(PictureSpec&)> ask;
  unsigned features;
  const char* legendTitle = "";
};

class ResultPicture : public ::testing::TestWithParam<PictureRow> {};

TEST_P(ResultPicture, DrawsWhatTheSpecAsksFor) {
  const auto model = testing::SquareModel();
  model->nodes[1].restraint = model->nodes[4].restraint = FixedXY;
  model->nodes[3].load = 1e6;
  model->nodes[3].loadAngle = 30;
  const auto results = std::make_unique<const Solution>(Compute(*model));
  Palette palette;
  for (int k = 0; k < PaletteSize; ++k) palette.colours[k] = {uint8_t(k), 0, uint8_t(255 - k)};

  PictureSpec spec;
  GetParam().ask(spec);
  RecordingCanvas canvas(Width, Height);
  const DrawnPicture drawn = DrawResultPicture(canvas, spec, {*model, results.get(), palette});
  EXPECT_EQ(FeaturesOf(canvas), GetParam().features);
  EXPECT_EQ(LegendTitle(canvas), GetParam().legendTitle);
  EXPECT_GT(drawn.view.scale, 0.0);

  // Without results only the model is drawn.
  RecordingCanvas without(Width, Height);
  try {
    DrawResultPicture(without, spec, {*model, nullptr, palette});
    EXPECT_EQ(spec.kind, PictureKind::Model);
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), messages::ComputeFirst);
    EXPECT_TRUE(without.Calls().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Specs, ResultPicture,
    ::testing::Values(
        PictureRow{"Model", [](PictureSpec&) {}, GreyMesh | WhiteOutlines},
        PictureRow{"ElementPlot", [](PictureSpec& s) { s.kind = PictureKind::Stress; }, PaletteFills | WhiteOutlines},
        PictureRow{"SmoothPlot",
                   [](PictureSpec& s) {
                     s.kind = PictureKind::Stress;
                     s.smooth = true;
                   },
                   PaintedPixels},
        PictureRow{"PrincipalDirections",
                   [](PictureSpec& s) {
                     s.kind = PictureKind::Stress;
                     s.principal = true;
                   },
                   PaletteFills | WhiteOutlines | Directions},
        PictureRow{"OutlinesOff",
                   [](PictureSpec& s) {
                     s.kind = PictureKind::Stress;
                     s.outlines = Outlines::Off;
                   },
                   PaletteFills},
        PictureRow{"ZoomedView",
                   [](PictureSpec& s) {
                     s.kind = PictureKind::Stress;
                     ShowRectangle(s.view, 0, 0, 1, 1, Width, Height);
                   },
                   PaletteFills | WhiteOutlines | PastTheCanvas},
        PictureRow{"StressLegend",
                   [](PictureSpec& s) {
                     s.kind = PictureKind::Stress;
                     s.field = ResultField::Error;
                     s.legend = true;
                   },
                   PaletteFills | WhiteOutlines | TextBeside, "误差 ‖e‖ (√J)"},
        PictureRow{"DeformedWithItsLegend",
                   [](PictureSpec& s) {
                     s.kind = PictureKind::Deformed;
                     s.magnification = 250.0;
                     s.legend = true;
                   },
                   GreyMesh | WhiteOutlines | TextBeside, "位移放大 250 倍"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace trivane
