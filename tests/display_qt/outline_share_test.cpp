// The stress plot's outlines never wash out its colours: fitted or zoomed,
// at least three quarters of the model's pixels show palette colours, and
// the example models at 1024 x 640 keep every outline.
#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <set>
#include <vector>

#include "display/stress_plot.h"
#include "display_qt/qt_canvas.h"
#include "meshes.h"

namespace trivane {
namespace {

Palette Rainbow() {
  Palette p;
  for (int32_t i = 0; i < PaletteSize; ++i)
    p.colours[static_cast<std::size_t>(i)] = {static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i), 40};
  return p;
}

// A value per element that runs across the model.
std::vector<double> Ramp(const Model& m) {
  std::vector<double> values(static_cast<std::size_t>(m.elementCount));
  for (int32_t e = 1; e <= m.elementCount; ++e) values[static_cast<std::size_t>(e - 1)] = m.nodes[m.elements[e].Nodes()[0]].x;
  return values;
}

QImage Plot(const Model& m, double zoom, Outlines outlines) {
  QtCanvas canvas(1024, 640);
  ViewTransform view;
  FitView(view, m.bounds, 1024, 640);
  if (zoom != 1.0) ZoomAbout(view, m.bounds, zoom, 512, 320);
  DrawStressPlot(canvas, m, Ramp(m), Rainbow(), view, outlines);
  return canvas.Image().copy();
}

double PaletteShare(const QImage& image) {
  std::set<QRgb> palette;
  for (const Rgb& c : Rainbow().colours) palette.insert(qRgb(c.r, c.g, c.b));
  long model = 0, coloured = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y) | 0xFF000000u;
      if (p == qRgb(0, 0, 0)) continue;
      ++model;
      coloured += palette.count(p);
    }
  return double(coloured) / double(model);
}

struct MeshRow {
  const char* name;
  std::function<Model()> mesh;
};

void PrintTo(const MeshRow& row, std::ostream* os) { *os << row.name; }

class OutlineShare : public ::testing::TestWithParam<MeshRow> {};

TEST_P(OutlineShare, LeavesThreeQuartersOfTheModelInPaletteColoursAtAnyZoom) {
  const Model m = GetParam().mesh();
  for (const double zoom : {1.0, 3.0, 6.0, 12.0, 24.0}) EXPECT_GE(PaletteShare(Plot(m, zoom, Outlines::Auto)), 0.75) << zoom;
}

INSTANTIATE_TEST_SUITE_P(
    Meshes, OutlineShare,
    ::testing::Values(MeshRow{"FineSquare", [] { return examples::SquarePlate(120); }},
                      MeshRow{"PlateWithHole", [] { return examples::PlateWithHole(48, 36); }},
                      MeshRow{"Cantilever", [] { return examples::CantileverPlate(121, 25); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OutlineShare, TheExamplesAt1024x640KeepEveryOutline) {
  for (const Model& m : {examples::CantileverPlate(31, 7), examples::PlateWithHole(16, 12), examples::CookMembrane(16)})
    EXPECT_EQ(Plot(m, 1.0, Outlines::Auto), Plot(m, 1.0, Outlines::On));
}

}  // namespace
}  // namespace trivane
