// The picture routine: each part of a spec shows in what is drawn, and only
// where the spec asks for it.
#include <gtest/gtest.h>

#include <algorithm>
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

bool Drew(const RecordingCanvas& canvas, const std::function<bool(const DrawCall&)>& what) {
  return std::any_of(canvas.Calls().begin(), canvas.Calls().end(), what);
}
bool Lines(const DrawCall& call, Rgb colour) {
  return call.kind == Primitive::Line && call.attributes.penColour == colour;
}
bool Beyond(const DrawCall& call) { return call.kind == Primitive::Text && call.points[0].x >= Width; }

struct PictureRow {
  const char* name;
  std::function<void(PictureSpec&)> ask;
  std::function<bool(const RecordingCanvas&)> shows;  // what only this spec draws
  std::function<bool(const RecordingCanvas&)> shuns;  // what it must not draw
};

class ResultPicture : public ::testing::TestWithParam<PictureRow> {};

TEST_P(ResultPicture, DrawsWhatTheSpecAsksFor) {
  const auto model = testing::SquareModel();
  model->nodes[1].restraint = model->nodes[4].restraint = FixedXY;
  model->nodes[3].load = 1e6;
  model->nodes[3].loadAngle = 30;
  const auto results = std::make_unique<AnalysisTables>();
  Compute(*model, *results);
  Palette palette;
  for (std::size_t k = 0; k < palette.colours.size(); ++k) palette.colours[k] = {uint8_t(k), 0, uint8_t(255 - k)};

  PictureSpec spec;
  GetParam().ask(spec);
  RecordingCanvas canvas(Width, Height);
  const DrawnPicture drawn = DrawResultPicture(canvas, spec, {*model, results.get(), palette});
  EXPECT_TRUE(GetParam().shows(canvas));
  EXPECT_FALSE(GetParam().shuns(canvas));
  EXPECT_GT(drawn.view.scale, 0.0);
  if (spec.kind == PictureKind::Deformed && spec.magnification) {
    EXPECT_EQ(drawn.deformed.magnification, *spec.magnification);
  }

  // Without results only the model can be drawn.
  RecordingCanvas untouched(Width, Height);
  if (spec.kind == PictureKind::Model) {
    DrawResultPicture(untouched, spec, {*model, nullptr, palette});
    EXPECT_EQ(untouched.Calls(), canvas.Calls());
  } else {
    try {
      DrawResultPicture(untouched, spec, {*model, nullptr, palette});
      ADD_FAILURE() << "drew without results";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), messages::ComputeFirst);
    }
    EXPECT_TRUE(untouched.Calls().empty());
  }
}

constexpr Rgb Grey{150, 150, 150};
const auto Polygons = [](const RecordingCanvas& c) {
  return Drew(c, [](const DrawCall& d) { return d.kind == Primitive::Polygon && d.attributes.brushColour != Grey; });
};
const auto Pixels = [](const RecordingCanvas& c) {
  return Drew(c, [](const DrawCall& d) { return d.kind == Primitive::Pixels; });
};
const auto Directions = [](const RecordingCanvas& c) {
  return Drew(c, [](const DrawCall& d) { return Lines(d, Sigma2Colour); });
};
const auto Legend = [](const RecordingCanvas& c) { return Drew(c, Beyond); };
const auto Nothing = [](const RecordingCanvas&) { return false; };

INSTANTIATE_TEST_SUITE_P(
    Specs, ResultPicture,
    ::testing::Values(
        PictureRow{"Model", [](PictureSpec&) {},
                   [](const RecordingCanvas& c) {
                     return Drew(c, [](const DrawCall& d) { return d.attributes.brushColour == Grey; });
                   },
                   [](const RecordingCanvas& c) { return Pixels(c) || Legend(c); }},
        PictureRow{"ElementPlot", [](PictureSpec& s) { s.kind = PictureKind::Stress; }, Polygons,
                   [](const RecordingCanvas& c) { return Pixels(c) || Directions(c) || Legend(c); }},
        PictureRow{"SmoothPlot",
                   [](PictureSpec& s) {
                     s.kind = PictureKind::Stress;
                     s.smooth = true;
                   },
                   Pixels, Polygons},
        PictureRow{"PrincipalDirections",
                   [](PictureSpec& s) {
                     s.kind = PictureKind::Stress;
                     s.principal = true;
                   },
                   Directions, Nothing},
        PictureRow{"StressLegend",
                   [](PictureSpec& s) {
                     s.kind = PictureKind::Stress;
                     s.field = ResultField::Error;
                     s.legend = true;
                   },
                   [](const RecordingCanvas& c) {
                     return Drew(c, [](const DrawCall& d) { return Beyond(d) && d.text == "误差 ‖e‖ (√J)"; });
                   },
                   Nothing},
        PictureRow{"DeformedWithItsLegend",
                   [](PictureSpec& s) {
                     s.kind = PictureKind::Deformed;
                     s.magnification = 250.0;
                     s.legend = true;
                   },
                   [](const RecordingCanvas& c) {
                     return Drew(c, [](const DrawCall& d) { return Beyond(d) && d.text == "位移放大 250 倍"; });
                   },
                   Pixels},
        PictureRow{"OutlinesOff",
                   [](PictureSpec& s) {
                     s.kind = PictureKind::Stress;
                     s.outlines = Outlines::Off;
                   },
                   Polygons,
                   [](const RecordingCanvas& c) {
                     return Drew(c, [](const DrawCall& d) {
                       return d.kind == Primitive::Polygon && d.attributes.penColour == Rgb{255, 255, 255};
                     });
                   }},
        PictureRow{"ZoomedView",
                   [](PictureSpec& s) {
                     s.kind = PictureKind::Stress;
                     ShowRectangle(s.view, 0, 0, 1, 1, Width, Height);
                   },
                   [](const RecordingCanvas& c) {
                     return Drew(c, [](const DrawCall& d) {
                       return d.kind == Primitive::Polygon &&
                              std::any_of(d.points.begin(), d.points.end(), [](Pixel p) { return p.x > 2 * Width; });
                     });
                   },
                   Nothing}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace trivane
