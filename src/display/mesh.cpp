#include "display/mesh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "display/element_shape.h"
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

namespace {

double TwiceArea(const Pixel& a, const Pixel& b, const Pixel& c) {
  return std::fabs((double(b.x) - a.x) * (double(c.y) - a.y) - (double(b.y) - a.y) * (double(c.x) - a.x));
}

// The share of the element its outline covers, on a logarithmic scale in
// steps of 1 %, from its corners on the screen before they are rounded to
// pixels: elements of one shape and size fall on one level whatever their
// pixels round to, so a regular mesh keeps or loses its outlines as a whole.
// Also gives the outline's pixels and the element's area on the screen.
struct ShareOnScreen {
  int32_t level = AllOutlines;
  double pixels = 0.0;
  double area = 0.0;
};
ShareOnScreen OutlineShareLevel(const std::array<NodePosition, 3>& p, double scale) {
  const auto steps = [](const NodePosition& a, const NodePosition& b) {
    return std::fmax(std::fabs(a.x - b.x), std::fabs(a.y - b.y));
  };
  const double twiceArea = std::fabs((p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[1].y - p[0].y) * (p[2].x - p[0].x));
  ShareOnScreen share;
  share.pixels = (steps(p[0], p[1]) + steps(p[1], p[2]) + steps(p[2], p[0])) * scale / 2;
  share.area = twiceArea * scale * scale / 2;
  if (share.area > 0.0) share.level = static_cast<int32_t>(std::lround(100.0 * std::log(share.pixels / share.area)));
  return share;
}

}  // namespace

bool Outlined(Outlines outlines, const Pixel& a, const Pixel& b, const Pixel& c) {
  if (outlines != Outlines::Auto) return outlines == Outlines::On;
  return TwiceArea(a, b, c) >= 2 * MinOutlinedArea;
}

int32_t OutlineShareLimit(const Model& model, const ViewTransform& view, int32_t width, int32_t height,
                          Outlines outlines) {
  if (outlines != Outlines::Auto) return AllOutlines;
  std::vector<ShareOnScreen> outlined;
  double area = 0.0, covered = 0.0;
  for (int32_t e = 1; e <= ElementsToDraw(model); ++e) {
    const Element& el = model.elements[e];
    const std::span<const int32_t> corners = CornersOf(model, el);
    if (std::any_of(corners.begin(), corners.end(), [&](int32_t n) { return n < 1 || n > NodesToDraw(model); }))
      continue;
    std::array<Pixel, 3> p;
    std::array<NodePosition, 3> at;
    for (size_t k = 0; k < 3; ++k) {
      at[k] = {model.nodes[corners[k]].x, model.nodes[corners[k]].y};
      p[k] = ToPixel(view, at[k].x, at[k].y);
    }
    const auto [left, right] = std::minmax({p[0].x, p[1].x, p[2].x});
    const auto [top, bottom] = std::minmax({p[0].y, p[1].y, p[2].y});
    if (right < 0 || bottom < 0 || left >= width || top >= height) continue;  // off the screen
    const ShareOnScreen share = OutlineShareLevel(at, view.scale);
    area += share.area;
    if (!Outlined(Outlines::Auto, p[0], p[1], p[2])) continue;
    outlined.push_back(share);
    covered += share.pixels;
  }
  if (covered <= MaxOutlineShare * area) return AllOutlines;
  // The outlines that cover least of their element stay, as many as fit the
  // budget; a level stays or goes as a whole.
  std::sort(outlined.begin(), outlined.end(), [](const auto& a, const auto& b) { return a.level < b.level; });
  double kept = 0.0;
  int32_t limit = std::numeric_limits<int32_t>::min();
  for (size_t k = 0; k < outlined.size();) {
    size_t next = k;
    double level = 0.0;
    for (; next < outlined.size() && outlined[next].level == outlined[k].level; ++next) level += outlined[next].pixels;
    if (kept + level > MaxOutlineShare * area) break;
    kept += level;
    limit = outlined[k].level;
    k = next;
  }
  return limit;
}

bool DrawElement(Canvas& canvas, const Model& model, const Element& element, const ViewTransform& view,
                 Outlines outlines, Rgb outlineColour, NodePositions positions, int32_t shareLimit) {
  // Kept from call to call, so that its buffers keep their room.
  thread_local ScreenElement shape;
  if (!shape.Place(model, element, view, positions)) return false;
  // A six-node element off the surface costs its outline's many points for nothing.
  if (shape.Type().NodeCount() > 3 && !shape.Touches(canvas.Width(), canvas.Height())) return true;
  canvas.SetPenColour(ElementOutlined(shape, view, outlines, shareLimit) ? outlineColour
                                                                        : canvas.Attributes().brushColour);
  canvas.Polygon(shape.Outline());
  return true;
}

bool ElementOutlined(const ScreenElement& shape, const ViewTransform& view, Outlines outlines, int32_t shareLimit) {
  const std::array<Pixel, 3>& p = shape.CornerPixels();
  return Outlined(outlines, p[0], p[1], p[2]) &&
         (shareLimit == AllOutlines || OutlineShareLevel(shape.CornerPositions(), view.scale).level <= shareLimit);
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
