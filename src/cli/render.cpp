// trivane-cli render: the window's pictures (the model, the deformed shape or a
// plot of a result field, by element or smooth, with the principal directions
// on request) drawn by the same routines onto an off-screen raster, with a
// legend beside the plot on request, and saved as PNG, JPEG or BMP.
#include <cmath>
#include <memory>
#include <optional>
#include <string>

#include "analysis/compute.h"
#include "analysis/solution.h"
#include "cli/cli_common.h"
#include "cli/condition_flags.h"
#include "cli/pictures.h"
#include "display/legend.h"
#include "display/palette.h"
#include "display/result_picture.h"
#include "display_qt/qt_canvas.h"
#include "io/files.h"
#include "io/number_text.h"
#include "model/errors.h"

namespace trivane::cli {

namespace {

PictureKind ReadPlot(const std::string& text) {
  if (text == "model") return PictureKind::Model;
  if (text == "deformed") return PictureKind::Deformed;
  if (text == "stress") return PictureKind::Stress;
  throw UsageError("--plot is one of model, deformed, stress, not \"" + text + "\"");
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
      ParseArguments(args, WithModelOptions({{"-o", "--plot", "--component", "--size", "--palette", "--solver", "--recovery",
                                               "--scale", "--outlines", "--view"},
                                              {"--legend", "--smooth", "--principal"}, {}}),
                     1);
  if (!a.Has("-o")) throw UsageError("the picture to write is missing: -o PICTURE.png");
  const char* format = PictureFormat(a.Value("-o"));
  const PictureKind kind = ReadPlot(a.Value("--plot", "model"));
  for (const char* flag : {"--component", "--smooth", "--principal"})
    if (a.Has(flag) && kind != PictureKind::Stress) throw UsageError(std::string(flag) + " belongs to --plot stress");
  if (a.Has("--scale") && kind != PictureKind::Deformed) throw UsageError("--scale belongs to --plot deformed");
  if (a.Has("--legend") && kind == PictureKind::Model)
    throw UsageError("--legend belongs to --plot deformed or stress");
  PictureSpec spec{.kind = kind,
                   .field = ComponentOption(a, ComponentChoice::AnyField),
                   .smooth = a.Has("--smooth"),
                   .principal = a.Has("--principal"),
                   .magnification = ReadScale(a),
                   .legend = a.Has("--legend") ? LegendPlace::Beside : LegendPlace::None};
  const Size size = a.Has("--size") ? ReadSize(a.Value("--size")) : Size{};
  const ModelOptions options = ReadModelOptions(a);
  spec.outlines = ReadOutlines(a.Value("--outlines", "auto"));
  const bool zoomed = a.Has("--view");
  const ViewRectangle shown = zoomed ? ReadViewRectangle(a.Value("--view")) : ViewRectangle{};
  const SolverChoice solver = SolverOption(a);
  const StressRecovery recovery = RecoveryOption(a);

  const auto model = std::make_unique<Model>(LoadModel(a.positional[0]));
  PrintNotes(ApplyModelOptions(options, *model));
  const Palette palette = kind == PictureKind::Stress ? ReadPalette(a) : Palette{};

  StartQt();
  // The legend widens the picture; the plot keeps the size, and so every pixel,
  // it has without one.
  QtCanvas canvas(size.width + (spec.legend == LegendPlace::Beside ? LegendWidth : 0), size.height);
  canvas.SetVisibleSize(size.width, size.height);
  // As a zoomed window: the rectangle stays put, whatever the model's bounds.
  if (zoomed) ShowRectangle(spec.view, shown.x1, shown.y1, shown.x2, shown.y2, size.width, size.height);
  std::optional<Solution> solution;
  if (kind != PictureKind::Model) solution = Compute(*model, solver, recovery);
  DrawResultPicture(canvas, spec, {*model, solution ? &*solution : nullptr, palette});
  WriteFileAtomically(a.Value("-o"), Encode(canvas.Image(), format, a.Value("-o")));
  return 0;
}

}  // namespace trivane::cli
