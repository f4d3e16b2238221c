// The picture routine: each option of a PictureSpec shows in what is drawn,
// and only when it is asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "analysis/compute.h"
#include "display/legend.h"
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

// The square held at two corners, loaded at a third, and its results.
struct Computed {
  std::unique_ptr<Model> model = testing::SquareModel();
  std::unique_ptr<const Solution> results;
  Palette palette;
  Computed() {
    model->nodes[1].restraint = model->nodes[4].restraint = FixedXY;
    model->nodes[3].load = 1e6;
    model->nodes[3].loadAngle = 30;
    results = std::make_unique<const Solution>(Compute(*model));
    for (int k = 0; k < PaletteSize; ++k) palette.colours[k] = {uint8_t(k), 0, uint8_t(255 - k)};
  }
  PictureSource Source(const Selection* selection = nullptr) const {
    return {*model, results.get(), palette, nullptr, selection};
  }
};

struct PictureRow {
  const char* name;
  std::function<void(PictureSpec&)> ask;
  unsigned features;
  const char* legendTitle = "";
};

class ResultPicture : public ::testing::TestWithParam<PictureRow> {};

TEST_P(ResultPicture, DrawsWhatTheSpecAsksFor) {
  const Computed c;
  PictureSpec spec;
  GetParam().ask(spec);
  RecordingCanvas canvas(Width, Height);
  const DrawnPicture drawn = DrawResultPicture(canvas, spec, c.Source());
  EXPECT_EQ(FeaturesOf(canvas), GetParam().features);
  EXPECT_EQ(LegendTitle(canvas), GetParam().legendTitle);
  EXPECT_GT(drawn.view.scale, 0.0);

  // Without results only the model is drawn.
  RecordingCanvas without(Width, Height);
  try {
    DrawResultPicture(without, spec, {*c.model, nullptr, c.palette});
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
                     s.legend = LegendPlace::Beside;
                   },
                   PaletteFills | WhiteOutlines | TextBeside, "误差 ‖e‖ (√J)"},
        PictureRow{"DeformedWithItsLegend",
                   [](PictureSpec& s) {
                     s.kind = PictureKind::Deformed;
                     s.magnification = 250.0;
                     s.legend = LegendPlace::Beside;
                   },
                   GreyMesh | WhiteOutlines | TextBeside, "位移放大 250 倍"}),
    [](const auto& info) { return std::string(info.param.name); });

// Within, the legend takes the strip at the canvas's right and the fitted
// picture the part left of it; a canvas too narrow for both keeps the
// picture whole and has no legend.
TEST(ResultPictureLegend, WithinTheCanvasThePictureLeavesTheStripToIt) {
  const Computed c;
  PictureSpec spec{.kind = PictureKind::Stress, .legend = LegendPlace::Within};
  RecordingCanvas canvas(Width, Height);
  const DrawnPicture drawn = DrawResultPicture(canvas, spec, c.Source());
  const int32_t left = Width - LegendWidth;
  EXPECT_EQ(drawn.view.halfWidth, left / 2);
  std::string title;
  for (const DrawCall& d : canvas.Calls()) {
    if (d.kind == Primitive::Polygon) {
      for (const Pixel& p : d.points) EXPECT_LT(p.x, left);
    }
    if (d.kind == Primitive::Text) {
      EXPECT_GE(d.points[0].x, left);
      EXPECT_LT(d.points[0].x, Width);
      if (title.empty()) title = d.text;
    }
  }
  EXPECT_EQ(title, "σx (Pa)");

  RecordingCanvas narrow(LegendWidth + MinPlotWidth - 1, Height);
  EXPECT_EQ(DrawResultPicture(narrow, spec, c.Source()).view.halfWidth, narrow.Width() / 2);
  for (const DrawCall& d : narrow.Calls()) EXPECT_NE(d.kind, Primitive::Text);
}

// A kept selection's markers go over every picture, under its legend, where
// the picture draws the node: displaced on the deformed shape.
TEST(ResultPictureSelection, MarkersGoOverThePictureWhereItDrawsTheNode) {
  const Computed c;
  Selection selection;
  selection.nodes[1] = 3;
  selection.count = 1;
  const auto& displacements = c.results->displacements;
  const double magnification = 0.5 / DeformedScaleOf(*c.model, displacements, 1.0).largestComponent;
  const Node& n3 = c.model->nodes[3];
  for (const PictureKind kind : {PictureKind::Model, PictureKind::Stress, PictureKind::Deformed}) {
    PictureSpec spec{.kind = kind, .smooth = true, .magnification = magnification, .legend = LegendPlace::Within};
    RecordingCanvas canvas(Width + LegendWidth, Height);
    const DrawnPicture drawn = DrawResultPicture(canvas, spec, c.Source(&selection));
    const bool displaced = kind == PictureKind::Deformed;
    const Pixel at = ToPixel(drawn.view, n3.x + (displaced ? magnification * displacements[4] : 0.0),
                             n3.y + (displaced ? magnification * displacements[5] : 0.0));
    const std::vector<DrawCall>& calls = canvas.Calls();
    const auto marker = std::find_if(calls.begin(), calls.end(), [](const DrawCall& d) {
      return d.kind == Primitive::Ellipse && d.attributes.brushColour == Rgb{255, 255, 0};
    });
    ASSERT_NE(marker, calls.end()) << static_cast<int>(kind);
    EXPECT_EQ(marker->points[0], (Pixel{at.x - 5, at.y - 5})) << static_cast<int>(kind);
    // Only the legend's strip is drawn after it.
    for (auto later = std::next(marker); later != calls.end(); ++later)
      EXPECT_GE(later->points[0].x, Width) << static_cast<int>(kind);
  }
}

}  // namespace
}  // namespace trivane
