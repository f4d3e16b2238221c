#include "display/mesh.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "analysis/elements/finite_element.h"
#include "model/errors.h"

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
                 Outlines outlines, Rgb outlineColour, NodePositions positions) {
  const std::span<const int32_t> corners = CornersOf(model, element);
  std::array<Pixel, 3> points;
  for (size_t k = 0; k < corners.size(); ++k) {
    if (corners[k] < 1 || corners[k] > MaxNodes) return false;
    if (!positions.empty() && static_cast<size_t>(corners[k]) > positions.size()) return false;
    const NodePosition p = PositionOf(model, positions, corners[k]);
    points[k] = ToPixel(view, p.x, p.y);
  }
  canvas.SetPenColour(Outlined(outlines, points[0], points[1], points[2]) ? outlineColour
                                                                      : canvas.Attributes().brushColour);
  canvas.Polygon(points);
  return true;
}

void RequireNodeResults(const Model& model, std::span<const double> displacements) {
  if (displacements.size() < 2 * static_cast<size_t>(NodesToDraw(model))) throw Error(messages::ComputeFirst);
}

void RequireElementResults(const Model& model, std::span<const double> values) {
  if (values.size() < static_cast<size_t>(ElementsToDraw(model))) throw Error(messages::ComputeFirst);
}

int32_t NodesToDraw(const Model& model) { return std::clamp(model.nodeCount, 0, MaxNodes); }
int32_t ElementsToDraw(const Model& model) { return std::clamp(model.elementCount, 0, MaxElements); }

}  // namespace trivane
