#include "display/stress_plot.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "display/mesh.h"
#include "model/errors.h"

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

ValueRange PlottedRange(const Model& model, std::span<const double> values) {
  ValueRange range{Value(values, 1), Value(values, 1)};
  for (int32_t e = 1; e <= ElementsToDraw(model); ++e) {
    const double v = Value(values, e);
    if (v > range.max) range.max = v;
    if (v < range.min) range.min = v;
  }
  return range;
}

bool IsUniform(ValueRange range) {
  return range.max - range.min <= 1e-9 * std::fmax(std::fabs(range.max), std::fabs(range.min));
}

void DrawStressPlot(Canvas& canvas, const Model& model, std::span<const double> values,
                    const Palette& palette, ViewTransform& view) {
  const int32_t count = ElementsToDraw(model);
  const auto [min, max] = PlottedRange(model, values);
  if (max - min == 0.0) throw Error(messages::DivisionByZero);
  const double factor = (PaletteSize - 1) / (max - min);

  canvas.SetPenWidth(1);
  FitView(view, model.bounds, canvas.Width(), canvas.Height());
  ClearPicture(canvas);
  canvas.SetPenColour(White);
  canvas.SetBrushStyle(BrushStyle::Solid);
  for (int32_t e = 1; e <= count; ++e) {
    canvas.SetBrushColour(palette.colours[ColourIndex(max, Value(values, e), factor)]);
    DrawElement(canvas, model, model.elements[e], view);
  }
}

}  // namespace trivane
