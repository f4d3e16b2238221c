#pragma once
// The symbols of a node's boundary conditions, drawn at the node's pixel
// (a, b). Each routine sets the pen, brush and font colour it needs and leaves
// them set; pen mode and style are the caller's.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "display/canvas.h"

namespace trivane {

// Orientation puts the symbol below (0), left of (1), above (2) or right of (3)
// the node; any other value draws nothing but still sets the attributes.
void DrawOneWaySupport(Canvas& canvas, int32_t a, int32_t b, int32_t orientation);
void DrawTwoWaySupport(Canvas& canvas, int32_t a, int32_t b, int32_t orientation);

// The boxes the labels of one picture take (their ink, so that labels set
// closely but legibly all stay). A label that would overlap one already
// drawn is left out, so that the loads of a fine mesh do not merge
// into a solid block of text; the probe still shows its value.
class LabelSpace {
 public:
  // Takes the box from (left, top) to (right, bottom), right and bottom
  // excluded, unless it overlaps a box taken before; says whether it did.
  bool Claim(int32_t left, int32_t top, int32_t right, int32_t bottom);

 private:
  struct Box {
    int32_t left, top, right, bottom;
  };
  // Boxes by the square cells of the image they touch, so that a picture with
  // thousands of loads compares each label with its neighbours only.
  std::unordered_map<int64_t, std::vector<Box>> cells_;
};

// A red arrow of 40 pixels ending on the node, its shaft lying on the side
// named by the angle (degrees from +x towards +y), its head at the far end
// pointing away from the node in the load's direction; the label beyond it,
// unless labels is given and the label's box overlaps one taken before.
void DrawLoadArrow(Canvas& canvas, int32_t a, int32_t b, double angle, const std::string& label,
                   LabelSpace* labels = nullptr);

}  // namespace trivane
