#pragma once
// The mapping from model coordinates to pixels of the drawing surface: one
// scale for x and y, the model's y axis pointing up on the screen.
#include <cstdint>

#include "display/canvas.h"
#include "model/model.h"

namespace trivane {

struct ViewTransform {
  double centreX = 0.0;  // model x shown at the centre of the image
  double centreY = 0.0;
  double scale = 0.0;  // pixels per model unit
  int32_t halfWidth = 0;
  int32_t halfHeight = 0;
  bool operator==(const ViewTransform&) const = default;
};

// Fits the bounds into 80 % of a width x height image along the model's
// relatively larger extent, centred. Bounds of zero extent keep scale 1.
void FitView(ViewTransform& view, const ModelBounds& bounds, int32_t width, int32_t height);

Pixel ToPixel(const ViewTransform& view, double x, double y);

// The pixel nearest to a coordinate, ties to even, evaluated on the whole
// expression. Values beyond the 32-bit range (and NaN) are clamped far outside
// any image instead of overflowing.
int32_t RoundToPixel(long double value);

}  // namespace trivane
