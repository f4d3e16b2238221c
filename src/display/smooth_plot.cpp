#include "display/smooth_plot.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "display/element_shape.h"
#include "display/field_painter.h"
#include "display/mesh.h"
#include "model/errors.h"

namespace trivane {

ValueRange DrawSmoothPlot(Canvas& canvas, const Model& model, std::span<const double> cornerValues,
                          const Palette& palette, ViewTransform& view) {
  const int32_t count = ElementsToDraw(model);
  // One value per node of each element.
  const auto perElement = static_cast<std::size_t>(ElementTypeOf(model).NodeCount());
  if (cornerValues.size() < perElement * static_cast<std::size_t>(count)) throw Error(messages::ComputeFirst);
  ValueRange range;
  if (count > 0) range = {cornerValues[0], cornerValues[0]};
  for (std::size_t k = 0; k < perElement * static_cast<std::size_t>(count); ++k) {
    range.max = std::max(range.max, cornerValues[k]);
    range.min = std::min(range.min, cornerValues[k]);
  }

  canvas.SetPenWidth(1);
  UpdateView(view, model.bounds, canvas.Width(), canvas.Height());
  ClearPicture(canvas);
  FieldPainter painter(canvas, palette, range);
  ScreenElement shape;
  for (int32_t e = 1; e <= count; ++e) {
    const std::span<const int32_t> nodes = model.elements[e].Nodes();
    if (std::any_of(nodes.begin(), nodes.end(), [&](int32_t n) { return n < 1 || n > NodesToDraw(model); })) continue;
    if (!shape.Place(model, model.elements[e], view) || !shape.Touches(canvas.Width(), canvas.Height())) continue;
    const std::span<const double> values = cornerValues.subspan(perElement * static_cast<std::size_t>(e - 1), perElement);
    for (const ScreenPiece& piece : shape.Pieces()) painter.Paint(piece, shape.Type(), values);
  }
  return range;
}

}  // namespace trivane
