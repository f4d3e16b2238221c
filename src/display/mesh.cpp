#include "display/mesh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

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

// Half the pixels a one-pixel outline round the triangle covers, over its area.
double OutlineShare(const Pixel& a, const Pixel& b, const Pixel& c, double twiceArea) {
  const auto steps = [](const Pixel& p, const Pixel& q) {
    return std::fmax(std::fabs(double(p.x) - q.x), std::fabs(double(p.y) - q.y));
  };
  return (steps(a, b) + steps(b, c) + steps(c, a)) / twiceArea;
}

}  // namespace

bool Outlined(Outlines outlines, const Pixel& a, const Pixel& b, const Pixel& c, double shareLimit) {
  if (outlines != Outlines::Auto) return outlines == Outlines::On;
  const double twiceArea = TwiceArea(a, b, c);
  if (twiceArea < 2 * MinOutlinedArea) return false;
  return shareLimit == std::numeric_limits<double>::infinity() || OutlineShare(a, b, c, twiceArea) <= shareLimit;
}

double OutlineShareLimit(const Model& model, const ViewTransform& view, int32_t width, int32_t height,
                         Outlines outlines) {
  constexpr double All = std::numeric_limits<double>::infinity();
  if (outlines != Outlines::Auto) return All;
  struct Outline {
    double share;
    double pixels;
  };
  std::vector<Outline> outlined;
  double area = 0.0, covered = 0.0;
  for (int32_t e = 1; e <= ElementsToDraw(model); ++e) {
    const Element& el = model.elements[e];
    const std::array<int32_t, 3> corners{el.node1, el.node2, el.node3};
    if (std::any_of(corners.begin(), corners.end(), [&](int32_t n) { return n < 1 || n > NodesToDraw(model); }))
      continue;
    std::array<Pixel, 3> p;
    for (size_t k = 0; k < 3; ++k) p[k] = ToPixel(view, model.nodes[corners[k]].x, model.nodes[corners[k]].y);
    const auto [left, right] = std::minmax({p[0].x, p[1].x, p[2].x});
    const auto [top, bottom] = std::minmax({p[0].y, p[1].y, p[2].y});
    if (right < 0 || bottom < 0 || left >= width || top >= height) continue;  // off the screen
    const double twiceArea = TwiceArea(p[0], p[1], p[2]);
    area += twiceArea / 2;
    if (twiceArea < 2 * MinOutlinedArea) continue;
    const double share = OutlineShare(p[0], p[1], p[2], twiceArea);
    outlined.push_back({share, share * twiceArea / 2});
    covered += outlined.back().pixels;
  }
  if (covered <= MaxOutlineShare * area) return All;
  // The outlines that cover least of their element stay, as many as fit the
  // budget; equal shares stay or go together.
  std::sort(outlined.begin(), outlined.end(), [](const Outline& a, const Outline& b) { return a.share < b.share; });
  double kept = 0.0, limit = -1.0;
  for (size_t k = 0; k < outlined.size();) {
    size_t next = k;
    double group = 0.0;
    for (; next < outlined.size() && outlined[next].share == outlined[k].share; ++next) group += outlined[next].pixels;
    if (kept + group > MaxOutlineShare * area) break;
    kept += group;
    limit = outlined[k].share;
    k = next;
  }
  return limit;
}

bool DrawElement(Canvas& canvas, const Model& model, const Element& element, const ViewTransform& view,
                 Outlines outlines, Rgb outlineColour, NodePositions positions, double shareLimit) {
  const std::array<int32_t, 3> corners{element.node1, element.node2, element.node3};
  std::array<Pixel, 3> points;
  for (size_t k = 0; k < corners.size(); ++k) {
    if (corners[k] < 1 || corners[k] > MaxNodes) return false;
    if (!positions.empty() && static_cast<size_t>(corners[k]) > positions.size()) return false;
    const NodePosition p = PositionOf(model, positions, corners[k]);
    points[k] = ToPixel(view, p.x, p.y);
  }
  canvas.SetPenColour(Outlined(outlines, points[0], points[1], points[2], shareLimit) ? outlineColour
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
