// trivane-cli render: the window's pictures (the model, the deformed shape or a
// plot of a result field, by element or smooth, with the principal directions
// on request) drawn by the same routines onto an off-screen raster, with a
// legend beside the plot on request, and saved as PNG, JPEG or BMP.
#include <cmath>
#include <memory>
#include <optional>
#include <string>

#include "analysis/compute.h"
#include "analysis/recovery/fields.h"
#include "analysis/elements/material.h"
#include "cli/cli_common.h"
#include "cli/condition_flags.h"
#include "cli/pictures.h"
#include "display/deformed_plot.h"
#include "display/legend.h"
#include "display/model_drawing.h"
#include "display/palette.h"
#include "display/principal_directions.h"
#include "display/smooth_plot.h"
#include "display/stress_plot.h"
#include "display_qt/qt_canvas.h"
#include "io/files.h"
#include "io/number_text.h"
#include "model/errors.h"

namespace trivane::cli {

namespace {

ResultField ReadField(const std::string& name) {
  if (const auto field = ResultFieldOfKey(name)) return *field;
  throw UsageError("--component is one of sx, sy, txy, s1, s2, tmax, mises, umag, error, stheta, not \"" + name + "\"");
}

// --scale: the magnification of the displacements, or auto (the largest
// component drawn 60 pixels long).
std::optional<double> ReadScale(const Arguments& args) {
  const std::string text = args.Value("--scale", "auto");
  if (text == "auto") return std::nullopt;
  double scale = 0.0;
  try {
    scale = ReadReal(text);
  } catch (const Error&) {
  }
  if (!(scale > 0.0) || !std::isfinite(scale))
    throw UsageError("--scale is auto or a magnification above 0, not \"" + text + "\"");
  return scale;
}

Outlines ReadOutlines(const std::string& text) {
  if (text == "auto") return Outlines::Auto;
  if (text == "on") return Outlines::On;
  if (text == "off") return Outlines::Off;
  throw UsageError("--outlines is one of auto, on, off, not \"" + text + "\"");
}

// --view X1,Y1,X2,Y2: the model rectangle to draw, two opposite corners.
struct ViewRectangle {
  double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
};
ViewRectangle ReadViewRectangle(const std::string& text) {
  const std::string expected =
      "--view takes X1,Y1,X2,Y2, the corners of a model rectangle of non-zero width and height, not \"" + text +
      "\"";
  double corner[4];
  std::string_view rest = text;
  for (int k = 0; k < 4; ++k) {
    const size_t comma = k < 3 ? rest.find(',') : rest.size();
    if (comma == std::string_view::npos) throw UsageError(expected);
    try {
      corner[k] = ReadReal(rest.substr(0, comma));
    } catch (const Error&) {
      throw UsageError(expected);
    }
    rest = k < 3 ? rest.substr(comma + 1) : std::string_view();
  }
  if (corner[0] == corner[2] || corner[1] == corner[3]) throw UsageError(expected);
  return {corner[0], corner[1], corner[2], corner[3]};
}

// color.bmp in the current folder, else the copy installed with the program,
// else, for a program run from its build tree, the copy in the sources.
Palette ReadPalette(const Arguments& args) {
  if (args.Has("--palette")) return LoadPalette(args.Value("--palette"));
  return LoadPalette(FindPalette({TRIVANE_INSTALLED_PALETTE, TRIVANE_SOURCE_PALETTE}));
}

}  // namespace

int RunRender(std::span<const std::string> args) {
  const Arguments a =
      ParseArguments(args, WithModelOptions({{"-o", "--plot", "--component", "--size", "--palette", "--solver",
                                               "--scale", "--outlines", "--view"},
                                              {"--legend", "--smooth", "--principal"}, {}}),
                     1);
  if (!a.Has("-o")) throw UsageError("the picture to write is missing: -o PICTURE.png");
  const char* format = PictureFormat(a.Value("-o"));
  const std::string plot = a.Value("--plot", "model");
  if (plot != "model" && plot != "deformed" && plot != "stress") {
    throw UsageError("--plot is one of model, deformed, stress, not \"" + plot + "\"");
  }
  for (const char* flag : {"--component", "--smooth", "--principal"})
    if (a.Has(flag) && plot != "stress") throw UsageError(std::string(flag) + " belongs to --plot stress");
  if (a.Has("--scale") && plot != "deformed") throw UsageError("--scale belongs to --plot deformed");
  if (a.Has("--legend") && plot == "model") throw UsageError("--legend belongs to --plot deformed or stress");
  const bool legend = a.Has("--legend");
  const ResultField field = ReadField(a.Value("--component", "sx"));
  const std::optional<double> scale = ReadScale(a);
  const Size size = a.Has("--size") ? ReadSize(a.Value("--size")) : Size{};
  const ModelOptions options = ReadModelOptions(a);
  const Outlines outlines = ReadOutlines(a.Value("--outlines", "auto"));
  const bool zoomed = a.Has("--view");
  const ViewRectangle shown = zoomed ? ReadViewRectangle(a.Value("--view")) : ViewRectangle{};
  const SolverChoice solver = SolverOption(a);

  const auto model = std::make_unique<Model>(LoadModel(a.positional[0]));
  PrintNotes(ApplyModelOptions(options, *model));
  const Palette palette = plot == "stress" ? ReadPalette(a) : Palette{};

  StartQt();
  // The legend widens the picture; the plot keeps the size, and so every pixel,
  // it has without one.
  QtCanvas canvas(size.width + (legend ? LegendWidth : 0), size.height);
  canvas.SetVisibleSize(size.width, size.height);
  // As a zoomed window: the rectangle stays put, whatever the model's bounds.
  ViewTransform view;
  if (zoomed) ShowRectangle(view, shown.x1, shown.y1, shown.x2, shown.y2, size.width, size.height);
  if (plot == "model") {
    DrawModel(canvas, *model, view, nullptr, outlines);
  } else {
    const Solution solution = Compute(*model, solver);
    if (plot == "deformed") {
      const DeformedScale drawn = DrawDeformedShape(canvas, *model, solution.displacements, view, nullptr, scale, outlines);
      if (legend) DrawDeformedLegend(canvas, size.width, size.height, drawn);
    } else {
      const ValueRange range =
          a.Has("--smooth")
              ? DrawSmoothPlot(canvas, *model, CornerFieldValues(*model, solution, field), palette, view)
              : DrawStressPlot(canvas, *model, ElementFieldValues(*model, solution, field), palette, view, outlines);
      if (a.Has("--principal"))
        DrawPrincipalDirections(canvas, *model, StressValues(solution, SigmaX), StressValues(solution, SigmaY),
                                StressValues(solution, TauXY), view);
      if (legend) DrawStressLegend(canvas, size.width, size.height, ResultFieldTitle(field), range, palette);
    }
  }
  WriteFileAtomically(a.Value("-o"), Encode(canvas.Image(), format, a.Value("-o")));
  return 0;
}

}  // namespace trivane::cli
