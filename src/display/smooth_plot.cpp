#include "display/smooth_plot.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "display/mesh.h"
#include "model/errors.h"

namespace trivane {

namespace {

int64_t Cross(Pixel a, Pixel b, int64_t x, int64_t y) {
  return (int64_t{b.x} - a.x) * (y - a.y) - (int64_t{b.y} - a.y) * (x - a.x);
}

// Paints one triangle, pixel centres on the integer positions the corners
// round to, so that a corner's own pixel shows exactly the corner's value. The
// edge functions are exact integers; a pixel on a side belongs to the
// triangle, and a later triangle paints over an earlier one, as polygons do.
class TrianglePainter {
 public:
  TrianglePainter(Canvas& canvas, const Palette& palette, ValueRange range, bool uniform)
      : canvas_(canvas), palette_(palette), range_(range), uniform_(uniform),
        factor_(uniform ? 0.0 : (PaletteSize - 1) / (range.max - range.min)) {}

  void Paint(const Pixel corner[3], const double value[3]) {
    const int64_t twiceArea = Cross(corner[0], corner[1], corner[2].x, corner[2].y);
    if (twiceArea == 0) return;
    const int64_t left = std::max<int64_t>(std::min({corner[0].x, corner[1].x, corner[2].x}), 0);
    const int64_t right = std::min<int64_t>(std::max({corner[0].x, corner[1].x, corner[2].x}), canvas_.Width() - 1);
    const int64_t top = std::max<int64_t>(std::min({corner[0].y, corner[1].y, corner[2].y}), 0);
    const int64_t bottom = std::min<int64_t>(std::max({corner[0].y, corner[1].y, corner[2].y}), canvas_.Height() - 1);
    const double sign = twiceArea > 0 ? 1.0 : -1.0;
    const auto whole = static_cast<double>(twiceArea);
    for (int64_t y = top; y <= bottom; ++y) {
      row_.clear();
      int64_t first = 0;
      for (int64_t x = left; x <= right; ++x) {
        // Weight of corner k: the signed area opposite it, over the whole.
        const int64_t b0 = Cross(corner[1], corner[2], x, y);
        const int64_t b1 = Cross(corner[2], corner[0], x, y);
        const int64_t b2 = Cross(corner[0], corner[1], x, y);
        const bool inside = sign * static_cast<double>(b0) >= 0 && sign * static_cast<double>(b1) >= 0 &&
                            sign * static_cast<double>(b2) >= 0;
        if (!inside) {
          Flush(first, y);
          continue;
        }
        if (row_.empty()) first = x;
        // Divided, not multiplied by 1 / whole, so that a corner's weight is exactly 1.
        const double v = static_cast<double>(b0) / whole * value[0] + static_cast<double>(b1) / whole * value[1] +
                         static_cast<double>(b2) / whole * value[2];
        row_.push_back(palette_.colours[static_cast<std::size_t>(Index(v))]);
      }
      Flush(first, y);
    }
  }

 private:
  int32_t Index(double v) const { return uniform_ ? MiddleColour : ColourIndex(range_.max, v, factor_); }

  void Flush(int64_t first, int64_t y) {
    if (row_.empty()) return;
    canvas_.PutPixels(static_cast<int32_t>(first), static_cast<int32_t>(y), row_);
    row_.clear();
  }

  Canvas& canvas_;
  const Palette& palette_;
  ValueRange range_;
  bool uniform_;
  double factor_;
  std::vector<Rgb> row_;
};

}  // namespace

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
  FitView(view, model.bounds, canvas.Width(), canvas.Height());
  ClearPicture(canvas);
  TrianglePainter painter(canvas, palette, range, IsUniform(range));
  for (int32_t e = 1; e <= count; ++e) {
    const std::span<const int32_t> nodes = CornersOf(model, model.elements[e]);
    if (std::any_of(nodes.begin(), nodes.end(), [&](int32_t n) { return n < 1 || n > NodesToDraw(model); })) continue;
    Pixel corner[3];
    for (int k = 0; k < 3; ++k) corner[k] = ToPixel(view, model.nodes[nodes[k]].x, model.nodes[nodes[k]].y);
    const double* values = cornerValues.data() + perElement * static_cast<std::size_t>(e - 1);
    painter.Paint(corner, values);
  }
  return range;
}

}  // namespace trivane
