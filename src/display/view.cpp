#include "display/view.h"

#include <algorithm>
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

void UpdateView(ViewTransform& view, const ModelBounds& bounds, int32_t width, int32_t height) {
  if (view.fitted || view.scale <= 0.0) {
    FitView(view, bounds, width, height);
    view.fitted = true;
    return;
  }
  view.halfWidth = width / 2;
  view.halfHeight = height / 2;
}

void ZoomAbout(ViewTransform& view, const ModelBounds& bounds, double factor, int32_t x, int32_t y) {
  if (view.scale <= 0.0 || !(factor > 0.0)) return;
  ViewTransform fit;
  FitView(fit, bounds, 2 * view.halfWidth, 2 * view.halfHeight);
  const double scale = std::clamp(view.scale * factor, fit.scale / 10, fit.scale * 1e6);
  const ModelPoint anchor = FromPixel(view, x, y);
  view.scale = scale;
  view.centreX = anchor.x - (x - view.halfWidth) / scale;
  view.centreY = anchor.y - (view.halfHeight - y) / scale;
  view.fitted = false;
}

void PanBy(ViewTransform& view, int32_t dx, int32_t dy) {
  if (view.scale <= 0.0) return;
  view.centreX -= dx / view.scale;
  view.centreY += dy / view.scale;
  view.fitted = false;
}

void ShowRectangle(ViewTransform& view, double x1, double y1, double x2, double y2, int32_t width,
                   int32_t height) {
  view.halfWidth = width / 2;
  view.halfHeight = height / 2;
  view.centreX = (x1 + x2) / 2;
  view.centreY = (y1 + y2) / 2;
  view.scale = std::fmin(width / std::fabs(x2 - x1), height / std::fabs(y2 - y1));
  view.fitted = false;
}

ModelPoint FromPixel(const ViewTransform& view, double x, double y) {
  return {view.centreX + (x - view.halfWidth) / view.scale, view.centreY + (view.halfHeight - y) / view.scale};
}

Pixel ToPixel(const ViewTransform& view, double x, double y) {
  const long double px = (static_cast<long double>(x) - view.centreX) * view.scale + view.halfWidth;
  const long double py = view.halfHeight - (static_cast<long double>(y) - view.centreY) * view.scale;
  return {RoundToPixel(px), RoundToPixel(py)};
}

}  // namespace trivane
