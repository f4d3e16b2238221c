// Redrawing the 99,225-node, 197,192-element square plate on a 1024 x 640
// canvas, the size of the window's drawing surface: the model, the deformed
// shape and a stress plot, beside a bare QPainter pass that fills and outlines
// the same triangles, the least any drawing of them can cost.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <memory>

#include "analysis/compute.h"
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

const AnalysisTables& Results() {
  static const auto tables = [] {
    auto t = std::make_unique<AnalysisTables>();
    Compute(Plate(), *t);
    return t;
  }();
  return *tables;
}

void BM_BarePainter(benchmark::State& state) {
  QImage image(Width, Height, QImage::Format_RGB32);
  ViewTransform view;
  FitView(view, Plate().bounds, Width, Height);
  for (auto _ : state) {
    QPainter painter(&image);
    painter.setPen(Qt::white);
    painter.setBrush(QColor(150, 150, 150));
    for (int32_t e = 1; e <= Plate().elementCount; ++e) {
      const Element& el = Plate().elements[e];
      QPointF corners[3];
      int k = 0;
      for (const int32_t n : {el.node1, el.node2, el.node3}) {
        const Pixel p = ToPixel(view, Plate().nodes[n].x, Plate().nodes[n].y);
        corners[k++] = QPointF(p.x, p.y);
      }
      painter.drawPolygon(corners, 3);
    }
  }
}
BENCHMARK(BM_BarePainter)->Unit(benchmark::kMillisecond)->Iterations(10);

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
  const auto displacements = Displacements(Results());
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
