#include "display/stress_plot.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "display/element_shape.h"
#include "display/field_painter.h"
#include "display/mesh.h"
#include "model/errors.h"

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

ValueRange PlottedRange(const Model& model, std::span<const double> values, int32_t perElement) {
  const auto per = static_cast<std::size_t>(std::max(perElement, 1));
  if (values.size() < per * static_cast<std::size_t>(ElementsToDraw(model))) throw Error(messages::ComputeFirst);
  if (values.empty()) return {};
  ValueRange range{values[0], values[0]};
  for (std::size_t k = 0; k < per * static_cast<std::size_t>(ElementsToDraw(model)); ++k) {
    const double v = values[k];
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
                          const Palette& palette, ViewTransform& view, Outlines outlines, int32_t perElement) {
  const int32_t count = ElementsToDraw(model);
  const ValueRange range = PlottedRange(model, values, perElement);
  const auto [min, max] = range;
  const bool uniform = IsUniform(range);
  const double factor = uniform ? 0.0 : (PaletteSize - 1) / (max - min);

  canvas.SetPenWidth(1);
  UpdateView(view, model.bounds, canvas.Width(), canvas.Height());
  ClearPicture(canvas);
  canvas.SetPenColour(White);
  canvas.SetBrushStyle(BrushStyle::Solid);
  const int32_t shareLimit = OutlineShareLimit(model, view, canvas.Width(), canvas.Height(), outlines);
  if (perElement <= 1) {
    for (int32_t e = 1; e <= count; ++e) {
      const int32_t index = uniform ? MiddleColour : ColourIndex(max, Value(values, e), factor);
      canvas.SetBrushColour(palette.colours[index]);
      DrawElement(canvas, model, model.elements[e], view, outlines, White, {}, shareLimit);
    }
    return range;
  }
  // Each element painted, then outlined, before the next: a later element
  // covers an earlier one's outline where they meet, as filled outlines do.
  FieldPainter painter(canvas, palette, range);
  ScreenElement shape;
  canvas.SetBrushStyle(BrushStyle::Hollow);
  const auto per = static_cast<std::size_t>(perElement);
  for (int32_t e = 1; e <= count; ++e) {
    if (!shape.Place(model, model.elements[e], view)) continue;
    const std::span<const double> own = values.subspan(per * static_cast<std::size_t>(e - 1), per);
    if (!shape.Touches(canvas.Width(), canvas.Height())) continue;
    for (const ScreenPiece& piece : shape.Pieces()) painter.Paint(piece, shape.Type(), own);
    if (ElementOutlined(shape, view, outlines, shareLimit)) canvas.Polygon(shape.Outline());
  }
  return range;
}

}  // namespace trivane
