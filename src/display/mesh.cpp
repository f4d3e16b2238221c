#include "display/mesh.h"

#include <algorithm>
#include <array>
#include <cmath>

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

bool Outlined(Outlines outlines, const Pixel& a, const Pixel& b, const Pixel& c) {
  if (outlines != Outlines::Auto) return outlines == Outlines::On;
  const double twiceArea =
      std::fabs((double(b.x) - a.x) * (double(c.y) - a.y) - (double(b.y) - a.y) * (double(c.x) - a.x));
  return twiceArea >= 2 * MinOutlinedArea;
}

bool DrawElement(Canvas& canvas, const Model& model, const Element& element, const ViewTransform& view,
                 Outlines outlines, Rgb outlineColour) {
  const std::array<int32_t, 3> corners{element.node1, element.node2, element.node3};
  std::array<Pixel, 3> points;
  for (size_t k = 0; k < corners.size(); ++k) {
    if (corners[k] < 1 || corners[k] > MaxNodes) return false;
    const Node& node = model.nodes[corners[k]];
    points[k] = ToPixel(view, node.x, node.y);
  }
  canvas.SetPenColour(Outlined(outlines, points[0], points[1], points[2]) ? outlineColour
                                                                      : canvas.Attributes().brushColour);
  canvas.Polygon(points);
  return true;
}

int32_t NodesToDraw(const Model& model) { return std::clamp(model.nodeCount, 0, MaxNodes); }
int32_t ElementsToDraw(const Model& model) { return std::clamp(model.elementCount, 0, MaxElements); }

}  // namespace trivane
