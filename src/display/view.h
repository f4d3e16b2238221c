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
  // Fitted, every redraw fits the whole model to the image as it stands; once
  // the user zooms or pans, the centre and the scale stay where they were put
  // and a redraw only takes the image's new size.
  bool fitted = true;
  bool operator==(const ViewTransform&) const = default;
};

// Fits the bounds into 80 % of a width x height image along the model's
// relatively larger extent, centred. Bounds of zero extent keep scale 1.
void FitView(ViewTransform& view, const ModelBounds& bounds, int32_t width, int32_t height);

// What every picture calls before it draws: a fitted view is fitted afresh,
// a zoomed one only takes the image's size.
void UpdateView(ViewTransform& view, const ModelBounds& bounds, int32_t width, int32_t height);

// Zooms by factor (above 1 magnifies) keeping the model point under the pixel
// (x, y) where it is. The scale stays between a tenth of the fitted scale
// and a million times it, so that no zoom loses the model or its precision.
void ZoomAbout(ViewTransform& view, const ModelBounds& bounds, double factor, int32_t x, int32_t y);

// Moves the picture dx pixels right and dy pixels down.
void PanBy(ViewTransform& view, int32_t dx, int32_t dy);

// Shows exactly the model rectangle (x1, y1)-(x2, y2), centred, the larger of
// its relative extents filling the image.
void ShowRectangle(ViewTransform& view, double x1, double y1, double x2, double y2, int32_t width,
                   int32_t height);

Pixel ToPixel(const ViewTransform& view, double x, double y);

// The model point shown at the centre of the pixel (x, y); the view's scale
// must not be 0.
struct ModelPoint {
  double x = 0.0;
  double y = 0.0;
};
ModelPoint FromPixel(const ViewTransform& view, double x, double y);

// The pixel nearest to a coordinate, ties to even, evaluated on the whole
// expression. Values beyond the 32-bit range (and NaN) are clamped far outside
// any image instead of overflowing.
int32_t RoundToPixel(long double value);

}  // namespace trivane
