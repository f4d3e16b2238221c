// Redrawing the 99,225-node, 197,192-element square plate on a 1024 x 640
// canvas, the size of the window's drawing surface: the model, the deformed
// shape and a stress plot, beside a bare QPainter pass that fills and outlines
// the same triangles, the least any drawing of them can cost. Then the stress
// plot zoomed four times into a corner and panned, each beside the bare pass
// in the same view, and a whole rubber-band selection (press, moves, release)
// beside the bare pass of the fitted view.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <memory>

#include <filesystem>
#include <optional>

#include "analysis/compute.h"
#include "app/session.h"
#include "io/files.h"
#include "io/problem_file.h"
#include "display/deformed_plot.h"
#include "display/model_drawing.h"
#include "display/stress_plot.h"
#include "display_qt/qt_canvas.h"
#include "meshes.h"

namespace trivane {
namespace {

constexpr int Width = 1024, Height = 640;

Model& Plate() {
  static Model model = examples::SquarePlate(315);
  return model;
}

const Solution& Results() {
  static const Solution solution = Compute(Plate());
  return solution;
}

// Four times the fit, about a point near the top left corner.
ViewTransform Zoomed() {
  ViewTransform view;
  FitView(view, Plate().bounds, Width, Height);
  ZoomAbout(view, Plate().bounds, 4.0, 200, 150);
  return view;
}

ViewTransform Panned() {
  ViewTransform view = Zoomed();
  PanBy(view, 37, -23);
  return view;
}

void BarePass(benchmark::State& state, const ViewTransform& view) {
  QImage image(Width, Height, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    painter.setPen(Qt::white);
    painter.setBrush(QColor(150, 150, 150));
    for (int32_t e = 1; e <= Plate().elementCount; ++e) {
      QPointF corners[3];
      int k = 0;
      for (const int32_t n : Plate().elements[e].Nodes()) {
        const Pixel p = ToPixel(view, Plate().nodes[n].x, Plate().nodes[n].y);
        corners[k++] = QPointF(p.x, p.y);
      }
      painter.drawPolygon(corners, 3);
    }
  }
}

void BM_BarePainter(benchmark::State& state) {
  ViewTransform view;
  FitView(view, Plate().bounds, Width, Height);
  BarePass(state, view);
}
BENCHMARK(BM_BarePainter)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_BarePainterZoomed(benchmark::State& state) { BarePass(state, Zoomed()); }
BENCHMARK(BM_BarePainterZoomed)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_BarePainterPanned(benchmark::State& state) { BarePass(state, Panned()); }
BENCHMARK(BM_BarePainterPanned)->Unit(benchmark::kMillisecond)->Iterations(10);

void StressPlotIn(benchmark::State& state, const ViewTransform& start) {
  QtCanvas canvas(Width, Height);
  const Palette palette;
  const auto values = StressValues(Results(), SigmaX);
  for (auto _ : state) {
    ViewTransform view = start;
    DrawStressPlot(canvas, Plate(), values, palette, view);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}

void BM_StressPlotZoomed(benchmark::State& state) { StressPlotIn(state, Zoomed()); }
BENCHMARK(BM_StressPlotZoomed)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_StressPlotPanned(benchmark::State& state) { StressPlotIn(state, Panned()); }
BENCHMARK(BM_StressPlotPanned)->Unit(benchmark::kMillisecond)->Iterations(10);

// The window's own path: the session loads the plate from a problem file.
struct NoCounts : CountSink {
  void ShowCounts(int32_t, int32_t) override {}
};
struct PlateFile : FileChooser {
  std::string path;
  std::optional<std::string> ChooseFileToOpen(const std::vector<FileFilter>&) override { return path; }
  std::optional<std::string> ChooseFileToSave(const FileFilter&, std::string_view, const std::string&) override { return {}; }
  std::optional<std::string> ChooseExportFile(std::span<const FileFilter>) override { return {}; }
};

void BM_RubberBandSelection(benchmark::State& state) {
  QtCanvas canvas(Width, Height);
  NoCounts counts;
  PlateFile chooser;
  chooser.path = (std::filesystem::temp_directory_path() / "drawing_bench_plate.trv").string();
  WriteFileAtomically(chooser.path, WriteProblem(Plate()));
  const auto session = std::make_unique<Session>(canvas, counts, chooser);
  session->OpenProblem();
  std::filesystem::remove(chooser.path);
  for (auto _ : state) {
    session->MouseDown(300, 200);
    for (int step = 1; step <= 10; ++step) session->MouseMove(300 + 30 * step, 200 + 20 * step);
    session->MouseUp(600, 400);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
  state.counters["selected"] = session->selection().count;
}
BENCHMARK(BM_RubberBandSelection)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_DrawModel(benchmark::State& state) {
  QtCanvas canvas(Width, Height);
  ViewTransform view;
  for (auto _ : state) {
    DrawModel(canvas, Plate(), view, nullptr);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}
BENCHMARK(BM_DrawModel)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_DrawDeformedShape(benchmark::State& state) {
  QtCanvas canvas(Width, Height);
  ViewTransform view;
  const std::span<const double> displacements = Results().displacements;
  for (auto _ : state) {
    DrawDeformedShape(canvas, Plate(), displacements, view, nullptr);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}
BENCHMARK(BM_DrawDeformedShape)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_DrawStressPlot(benchmark::State& state) {
  QtCanvas canvas(Width, Height);
  ViewTransform view;
  const Palette palette;
  const auto values = StressValues(Results(), SigmaX);
  for (auto _ : state) {
    DrawStressPlot(canvas, Plate(), values, palette, view);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}
BENCHMARK(BM_DrawStressPlot)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace trivane

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
