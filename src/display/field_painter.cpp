#include "display/field_painter.h"

#include <algorithm>

namespace trivane {

namespace {

int64_t Cross(Pixel a, Pixel b, int64_t x, int64_t y) {
  return (int64_t{b.x} - a.x) * (y - a.y) - (int64_t{b.y} - a.y) * (x - a.x);
}

}  // namespace

FieldPainter::FieldPainter(Canvas& canvas, const Palette& palette, ValueRange range)
    : canvas_(canvas), palette_(palette), range_(range), uniform_(IsUniform(range)),
      factor_(uniform_ ? 0.0 : (PaletteSize - 1) / (range.max - range.min)) {}

double FieldPainter::ValueAt(const AreaPoint& p, const FiniteElement& type, std::span<const double> values) const {
  if (values.size() == 3) return p[0] * values[0] + p[1] * values[1] + p[2] * values[2];
  return Interpolate(type.N({p[1], p[2]}), values);
}

// The edge functions are exact integers. A pixel's weights within the piece
// mix its corners' area coordinates; on a piece that is the whole element
// they are its area coordinates themselves.
void FieldPainter::Paint(const ScreenPiece& piece, const FiniteElement& type, std::span<const double> values) {
  const auto& corner = piece.corner;
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
      const double w[3] = {static_cast<double>(b0) / whole, static_cast<double>(b1) / whole,
                           static_cast<double>(b2) / whole};
      AreaPoint p;
      for (std::size_t j = 0; j < 3; ++j) p[j] = w[0] * piece.at[0][j] + w[1] * piece.at[1][j] + w[2] * piece.at[2][j];
      const double v = ValueAt(p, type, values);
      row_.push_back(palette_.colours[static_cast<std::size_t>(uniform_ ? MiddleColour : ColourIndex(range_.max, v, factor_))]);
    }
    Flush(first, y);
  }
}

void FieldPainter::Flush(int64_t first, int64_t y) {
  if (row_.empty()) return;
  canvas_.PutPixels(static_cast<int32_t>(first), static_cast<int32_t>(y), row_);
  row_.clear();
}

}  // namespace trivane
