#pragma once
// The symbols of a node's boundary conditions, drawn at the node's pixel
// (a, b). Each routine sets the pen, brush and font colour it needs and leaves
// them set; pen mode and style are the caller's.
#include <cstdint>
#include <string>

#include "display/canvas.h"

namespace trivane {

// Orientation puts the symbol below (0), left of (1), above (2) or right of (3)
// the node; any other value draws nothing but still sets the attributes.
void DrawOneWaySupport(Canvas& canvas, int32_t a, int32_t b, int32_t orientation);
void DrawTwoWaySupport(Canvas& canvas, int32_t a, int32_t b, int32_t orientation);

// A red arrow of 40 pixels ending on the node, its shaft lying on the side
// named by the angle (degrees from +x towards +y), its head at the far end
// pointing away from the node in the load's direction; the label beyond it.
void DrawLoadArrow(Canvas& canvas, int32_t a, int32_t b, double angle, const std::string& label);

}  // namespace trivane
