#include "display/stress_plot.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "display/mesh.h"

namespace trivane {

namespace {

constexpr Rgb White{255, 255, 255};

double Value(std::span<const double> values, int32_t e) { return values[static_cast<size_t>(e - 1)]; }

}  // namespace

int32_t ColourIndex(double max, double v, double factor) {
  const long double index = std::nearbyint((static_cast<long double>(max) - v) * factor);
  if (!(index >= 0)) return 0;
  return static_cast<int32_t>(std::min<long double>(index, PaletteSize - 1));
}

ValueRange PlottedRange(const Model& model, std::span<const double> values) {
  RequireElementResults(model, values);
  if (values.empty()) return {};
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

// A uniform field differs only by rounding (a patch test's 1e6 spreads by a
// few 1e-8); stretching that over the palette would paint noise as a rainbow,
// so every element takes the middle colour instead.
ValueRange DrawStressPlot(Canvas& canvas, const Model& model, std::span<const double> values,
                          const Palette& palette, ViewTransform& view, Outlines outlines) {
  const int32_t count = ElementsToDraw(model);
  const ValueRange range = PlottedRange(model, values);
  const auto [min, max] = range;
  const bool uniform = IsUniform(range);
  const double factor = uniform ? 0.0 : (PaletteSize - 1) / (max - min);

  canvas.SetPenWidth(1);
  UpdateView(view, model.bounds, canvas.Width(), canvas.Height());
  ClearPicture(canvas);
  canvas.SetPenColour(White);
  canvas.SetBrushStyle(BrushStyle::Solid);
  const int32_t shareLimit = OutlineShareLimit(model, view, canvas.Width(), canvas.Height(), outlines);
  for (int32_t e = 1; e <= count; ++e) {
    const int32_t index = uniform ? MiddleColour : ColourIndex(max, Value(values, e), factor);
    canvas.SetBrushColour(palette.colours[index]);
    DrawElement(canvas, model, model.elements[e], view, outlines, White, {}, shareLimit);
  }
  return range;
}

}  // namespace trivane
