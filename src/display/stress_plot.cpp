#include "display/stress_plot.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "display/mesh.h"

namespace trivane {

namespace {

constexpr Rgb White{255, 255, 255};

double Value(std::span<const double> values, int32_t e) {
  const auto index = static_cast<size_t>(e - 1);
  return index < values.size() ? values[index] : 0.0;
}

}  // namespace

int32_t ColourIndex(double max, double v, double factor) {
  const long double index = std::nearbyint((static_cast<long double>(max) - v) * factor);
  if (!(index >= 0)) return 0;
  return static_cast<int32_t>(std::min<long double>(index, PaletteSize - 1));
}

StressRange DrawStressPlot(Canvas& canvas, const Model& model, std::span<const double> values,
                           const Palette& palette, ViewTransform& view) {
  const int32_t count = ElementsToDraw(model);
  double max = Value(values, 1);
  double min = max;
  for (int32_t e = 1; e <= count; ++e) {
    const double v = Value(values, e);
    if (v > max) max = v;
    if (v < min) min = v;
  }
  // A uniform field differs only by rounding (a patch test's 1e6 spreads by a
  // few 1e-8); stretching that over the palette would paint noise as a
  // rainbow, so every element takes the middle colour instead.
  const bool uniform = max - min <= UniformSpread * std::max(std::fabs(max), std::fabs(min));
  const double factor = uniform ? 0.0 : (PaletteSize - 1) / (max - min);

  canvas.SetPenWidth(1);
  FitView(view, model.bounds, canvas.Width(), canvas.Height());
  ClearPicture(canvas);
  canvas.SetPenColour(White);
  canvas.SetBrushStyle(BrushStyle::Solid);
  for (int32_t e = 1; e <= count; ++e) {
    const int32_t index = uniform ? MiddleColour : ColourIndex(max, Value(values, e), factor);
    canvas.SetBrushColour(palette.colours[index]);
    DrawElement(canvas, model, model.elements[e], view);
  }
  return {min, max, uniform};
}

}  // namespace trivane
