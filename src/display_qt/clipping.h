#pragma once
// Cutting shapes down to a little beyond the raster before they are walked
// pixel by pixel: a node mapped far off the picture must cost no more than one
// on it. Shapes that lie within the box come back unchanged.
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "display/canvas.h"

namespace trivane {

// Inclusive pixel bounds.
struct ClipBox {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

struct PointF {
  double x = 0.0;
  double y = 0.0;
};

// The raster widened by enough that a pen of this width drawn outside it
// cannot reach into it.
ClipBox PenClipBox(int32_t width, int32_t height, int32_t penWidth);

int32_t ClampTo(int32_t value, int32_t low, int32_t high);

// The part of the segment inside the box, ends rounded to pixels; nothing when
// the segment misses the box.
std::optional<std::pair<Pixel, Pixel>> ClipSegment(Pixel from, Pixel to, const ClipBox& box);

// The polygon cut to the box (its fill inside the box is unchanged).
std::vector<PointF> ClipPolygon(std::span<const Pixel> points, const ClipBox& box);

}  // namespace trivane
