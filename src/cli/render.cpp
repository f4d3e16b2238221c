// trivane-cli render: the window's pictures (the model, the deformed shape or a
// stress plot) drawn by the same routines onto an off-screen raster, with a
// legend beside the plot on request, and saved as PNG, JPEG or BMP.
#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "analysis/compute.h"
#include "analysis/material.h"
#include "analysis/tables.h"
#include "cli/cli_common.h"
#include "cli/condition_flags.h"
#include "display/deformed_plot.h"
#include "display/legend.h"
#include "display/model_drawing.h"
#include "display/palette.h"
#include "display/stress_plot.h"
#include "display_qt/qt_canvas.h"
#include "io/files.h"
#include "io/number_text.h"
#include "model/errors.h"

namespace trivane::cli {

namespace {

struct Size {
  int32_t width = 1024;
  int32_t height = 640;
};

// The sizes the window's drawing surface can take, and a generous maximum.
constexpr Size Smallest{64, 102};
constexpr Size Largest{4096, 4096};

Size ReadSize(const std::string& text) {
  const std::string expected = "--size takes WIDTHxHEIGHT, from 64x102 to 4096x4096, not \"" + text + "\"";
  const size_t cross = text.find('x');
  if (cross == std::string::npos || cross == 0 || cross + 1 == text.size()) throw UsageError(expected);
  Size size;
  try {
    size.width = ReadInteger(std::string_view(text).substr(0, cross));
    size.height = ReadInteger(std::string_view(text).substr(cross + 1));
  } catch (const Error&) {
    throw UsageError(expected);
  }
  if (size.width < Smallest.width || size.width > Largest.width || size.height < Smallest.height ||
      size.height > Largest.height) {
    throw UsageError(expected);
  }
  return size;
}

int32_t ReadComponent(const std::string& name) {
  constexpr const char* names[] = {"sx", "sy", "txy", "s1", "s2", "tmax"};
  for (int32_t k = 0; k < 6; ++k) {
    if (name == names[k]) return k + 1;
  }
  throw UsageError("--component is one of sx, sy, txy, s1, s2, tmax, not \"" + name + "\"");
}

// color.bmp in the current folder, else the copy installed with the program,
// else, for a program run from its build tree, the copy in the sources.
Palette ReadPalette(const Arguments& args) {
  if (args.Has("--palette")) return LoadPalette(args.Value("--palette"));
  return LoadPalette(FindPalette({TRIVANE_INSTALLED_PALETTE, TRIVANE_SOURCE_PALETTE}));
}

// Qt's own notes (about run-time folders and the like) are not for the user of
// a command-line tool; only its fatal messages get through.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << "\n";
}

// Text needs Qt's font machinery, which lives in a QGuiApplication; rendering
// to an image never needs a display.
void StartQt() {
  if (QGuiApplication::instance() != nullptr) return;
  qInstallMessageHandler(QuietQt);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "trivane-cli";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

// The picture format the name's extension asks for, through Qt's writers.
const char* PictureFormat(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == ".png") return "PNG";
  if (extension == ".jpg" || extension == ".jpeg") return "JPEG";
  if (extension == ".bmp") return "BMP";
  throw UsageError("-o names a .png, .jpg, .jpeg or .bmp picture, not \"" + path + "\"");
}

std::string Encode(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  // JPEG at the highest quality: the plots are flat colours with sharp edges.
  if (!image.save(&buffer, format, std::string_view(format) == "JPEG" ? 100 : -1))
    throw Error(messages::SaveFailed(EIO));
  return bytes.toStdString();
}

}  // namespace

int RunRender(std::span<const std::string> args) {
  const Arguments a =
      ParseArguments(args, WithModelOptions({{"-o", "--plot", "--component", "--size", "--palette", "--solver"},
                                             {"--legend"}, {}}),
                     1);
  if (!a.Has("-o")) throw UsageError("the picture to write is missing: -o PICTURE.png");
  const char* format = PictureFormat(a.Value("-o"));
  const std::string plot = a.Value("--plot", "model");
  if (plot != "model" && plot != "deformed" && plot != "stress") {
    throw UsageError("--plot is one of model, deformed, stress, not \"" + plot + "\"");
  }
  if (a.Has("--component") && plot != "stress") throw UsageError("--component belongs to --plot stress");
  if (a.Has("--legend") && plot == "model") throw UsageError("--legend belongs to --plot deformed or stress");
  const bool legend = a.Has("--legend");
  const int32_t component = ReadComponent(a.Value("--component", "sx"));
  const Size size = a.Has("--size") ? ReadSize(a.Value("--size")) : Size{};
  const ModelOptions options = ReadModelOptions(a);
  const SolverChoice solver = SolverOption(a);

  const auto model = std::make_unique<Model>(LoadModel(a.positional[0]));
  ApplyModelOptions(options, *model);
  const Palette palette = plot == "stress" ? ReadPalette(a) : Palette{};

  StartQt();
  // The legend widens the picture; the plot keeps the size, and so every pixel,
  // it has without one.
  QtCanvas canvas(size.width + (legend ? LegendWidth : 0), size.height);
  canvas.SetVisibleSize(size.width, size.height);
  ViewTransform view;
  if (plot == "model") {
    DrawModel(canvas, *model, view, nullptr);
  } else {
    const auto tables = std::make_unique<AnalysisTables>();
    Compute(*model, *tables, solver);
    if (plot == "deformed") {
      const auto backup = std::make_unique<NodeBackup>();
      DrawDeformedShape(canvas, *model, *backup, Displacements(*tables), view, nullptr);
      if (legend)
        DrawDeformedLegend(canvas, size.width, size.height,
                           DeformedScaleOf(*model, Displacements(*tables), view.scale));
    } else {
      DrawStressPlot(canvas, *model, StressValues(*tables, component), palette, view);
      if (legend)
        DrawStressLegend(canvas, size.width, size.height, StressComponentName(component - 1) + " (Pa)",
                         PlottedRange(*model, StressValues(*tables, component)), palette);
    }
  }
  WriteFileAtomically(a.Value("-o"), Encode(canvas.Image(), format));
  return 0;
}

}  // namespace trivane::cli
