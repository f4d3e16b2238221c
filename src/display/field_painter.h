#pragma once
// Paints a field over the pieces of an element pixel by pixel, each pixel in
// the palette colour of the field's value there: what the smooth plot and a
// six-node element's own stresses are drawn with.
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "display/canvas.h"
#include "display/element_shape.h"
#include "display/palette.h"
#include "display/stress_plot.h"

namespace trivane {

class FieldPainter {
 public:
  // Colours follow the stress plot: max colour 0, min colour 149, a uniform
  // range (IsUniform) MiddleColour.
  FieldPainter(Canvas& canvas, const Palette& palette, ValueRange range);

  // Pixel centres lie on the integer positions the piece's corners round to,
  // so a corner's own pixel shows exactly the value there; a pixel on a side
  // belongs to the piece, and a later piece paints over an earlier one, as
  // polygons do. `values` are the field at the element's nodes: three give
  // the linear field between its corners, one per node of `type` the field of
  // its shape functions.
  void Paint(const ScreenPiece& piece, const FiniteElement& type, std::span<const double> values);

 private:
  double ValueAt(const AreaPoint& p, const FiniteElement& type, std::span<const double> values) const;
  void Flush(int64_t first, int64_t y);

  Canvas& canvas_;
  const Palette& palette_;
  ValueRange range_;
  bool uniform_;
  double factor_;
  std::vector<Rgb> row_;
};

}  // namespace trivane
