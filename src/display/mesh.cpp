#include "display/mesh.h"

#include <algorithm>
#include <array>

namespace trivane {

namespace {
constexpr Rgb Black{0, 0, 0};
}  // namespace

void ClearPicture(Canvas& canvas) {
  canvas.SetPenMode(PenMode::Copy);
  canvas.SetPenStyle(PenStyle::Solid);
  // A glyph leaves the brush hollow; the background must still be filled.
  canvas.SetBrushStyle(BrushStyle::Solid);
  canvas.SetBrushColour(Black);
  canvas.SetPenColour(Black);
  canvas.Rectangle(0, 0, canvas.Width(), canvas.Height());
}

bool DrawElement(Canvas& canvas, const Model& model, const Element& element, const ViewTransform& view) {
  const std::array<int32_t, 3> corners{element.node1, element.node2, element.node3};
  std::array<Pixel, 3> points;
  for (size_t k = 0; k < corners.size(); ++k) {
    if (corners[k] < 1 || corners[k] > MaxNodes) return false;
    const Node& node = model.nodes[corners[k]];
    points[k] = ToPixel(view, node.x, node.y);
  }
  canvas.Polygon(points);
  return true;
}

int32_t NodesToDraw(const Model& model) { return std::clamp(model.nodeCount, 0, MaxNodes); }
int32_t ElementsToDraw(const Model& model) { return std::clamp(model.elementCount, 0, MaxElements); }

}  // namespace trivane
