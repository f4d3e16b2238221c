// What drawing six-node triangles costs beside three-node ones of the same
// number of nodes: the 99,225-node square plate as 197,192 three-node
// triangles and as 49,298 six-node ones, fitted to 1024 x 640. Each picture:
// the model, the element stress plot (one colour per element, or the
// six-node element's own linear field painted pixel by pixel) and the
// smooth plot; then the six-node plate zoomed 16 times about its centre with
// its middle nodes moved off their chords, so that every side on the screen
// is curved and subdivided. Values are a field of x and y, not a compute:
// the pictures cost the same whatever they show. Each figure is the best of
// seven runs in one process; the ratios are the results.
#include <QGuiApplication>
#include <cstdio>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "best_seconds.h"
#include "display/model_drawing.h"
#include "display/smooth_plot.h"
#include "display/stress_plot.h"
#include "display_qt/qt_canvas.h"
#include "meshes.h"

using namespace trivane;

namespace {

struct Timings {
  double model = 0.0;
  double element = 0.0;
  double smooth = 0.0;
};

double Field(const Node& n) { return n.x * n.x - 3 * n.y; }

Timings Time(const Model& model, QtCanvas& canvas, const ViewTransform& start) {
  const Palette palette;
  const FiniteElement& type = ElementTypeOf(model);
  std::vector<double> own, nodes;
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const std::span<const int32_t> n = model.elements[e].Nodes();
    for (int32_t k = 0; k < type.CornerCount(); ++k) own.push_back(Field(model.nodes[n[static_cast<std::size_t>(k)]]));
    for (const int32_t node : n) nodes.push_back(Field(model.nodes[node]));
  }
  std::vector<double> means(static_cast<std::size_t>(model.elementCount));
  for (std::size_t e = 0; e < means.size(); ++e) means[e] = (own[3 * e] + own[3 * e + 1] + own[3 * e + 2]) / 3;
  const bool sixNode = type.NodeCount() == 6;
  Timings t;
  t.model = BestSeconds([&] {
    ViewTransform view = start;
    DrawModel(canvas, model, view, nullptr);
    canvas.Image();
  });
  t.element = BestSeconds([&] {
    ViewTransform view = start;
    if (sixNode)
      DrawStressPlot(canvas, model, own, palette, view, Outlines::Auto, 3);
    else
      DrawStressPlot(canvas, model, means, palette, view);
    canvas.Image();
  });
  t.smooth = BestSeconds([&] {
    ViewTransform view = start;
    DrawSmoothPlot(canvas, model, nodes, palette, view);
    canvas.Image();
  });
  return t;
}

void Print(const char* name, double three, double six) {
  std::printf("%-22s %8.1f ms  %8.1f ms  = %.2f x\n", name, three * 1e3, six * 1e3, six / three);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QtCanvas canvas(1024, 640);
  const Model three = examples::SquarePlate(315);
  Model six = examples::WithMiddleNodes(examples::SquarePlate(158));
  ViewTransform fitted;
  const Timings a = Time(three, canvas, fitted);
  const Timings b = Time(six, canvas, fitted);
  std::printf("%d and %d nodes        three-node   six-node\n", three.nodeCount, six.nodeCount);
  Print("model redraw", a.model, b.model);
  Print("element stress plot", a.element, b.element);
  Print("smooth plot", a.smooth, b.smooth);

  // Zoomed in, each middle node a fifth of its element's size off its chord.
  ViewTransform zoomed;
  FitView(zoomed, six.bounds, 1024, 640);
  ZoomAbout(zoomed, six.bounds, 16.0, 512, 320);
  const Timings straight = Time(six, canvas, zoomed);
  for (int32_t k = examples::SquarePlate(158).nodeCount + 1; k <= six.nodeCount; ++k) six.nodes[k].y += 0.2 / 157;
  const Timings curved = Time(six, canvas, zoomed);
  std::printf("six-node, zoomed 16 x   straight      curved\n");
  Print("model redraw", straight.model, curved.model);
  Print("element stress plot", straight.element, curved.element);
  Print("smooth plot", straight.smooth, curved.smooth);
  return 0;
}
