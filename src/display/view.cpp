#include "display/view.h"

#include <cmath>

namespace trivane {

namespace {
// Far outside any image, yet small enough that a glyph's offsets added to it
// stay within 32 bits.
constexpr long double PixelLimit = 1 << 30;
}  // namespace

int32_t RoundToPixel(long double value) {
  if (std::isnan(value)) return static_cast<int32_t>(-PixelLimit);
  const long double rounded = std::nearbyint(value);
  if (rounded > PixelLimit) return static_cast<int32_t>(PixelLimit);
  if (rounded < -PixelLimit) return static_cast<int32_t>(-PixelLimit);
  return static_cast<int32_t>(rounded);
}

void FitView(ViewTransform& view, const ModelBounds& bounds, int32_t width, int32_t height) {
  view.halfWidth = width / 2;
  view.halfHeight = height / 2;
  view.scale = 1.0;
  constexpr long double fill = 0.8L;
  const long double dy = std::fabs(static_cast<long double>(bounds.ymax) - bounds.ymin);
  const long double dx = std::fabs(static_cast<long double>(bounds.xmax) - bounds.xmin);
  const long double t = dy / height;
  const long double u = dx / width;
  // The three tests run one after the other; with both extents zero none of
  // them applies and nothing divides by a zero extent.
  if (t > u) view.scale = static_cast<double>(fill * height / dy);
  if (t < u) view.scale = static_cast<double>(fill * width / dx);
  if (t == u && bounds.xmax - bounds.xmin != 0) view.scale = static_cast<double>(fill * width / dx);
  view.centreX = (bounds.xmax + bounds.xmin) / 2;
  view.centreY = (bounds.ymax + bounds.ymin) / 2;
}

Pixel ToPixel(const ViewTransform& view, double x, double y) {
  const long double px = (static_cast<long double>(x) - view.centreX) * view.scale + view.halfWidth;
  const long double py = view.halfHeight - (static_cast<long double>(y) - view.centreY) * view.scale;
  return {RoundToPixel(px), RoundToPixel(py)};
}

}  // namespace trivane
