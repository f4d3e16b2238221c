#include "analysis/recovery/line_samples.h"

#include <algorithm>
#include <cmath>

#include "analysis/elements/finite_element.h"

namespace trivane {

namespace {

// What counts as rounding beside an element, relative to its size: a line
// typed along the mesh's side misses it by about 1e-16 of it, and a line
// touching a corner passes through the tolerance of the clip below, about
// 1e-14 of the element, while any stretch worth a graph is far longer.
constexpr double RoundingSlack = 1e-9;

// The corners of an element, the outline the line is clipped against.
struct Triangle {
  LinePoint corner[3];
};

Triangle OutlineOf(const ElementNodes& nodes) {
  Triangle t;
  for (int k = 0; k < 3; ++k) t.corner[k] = {nodes.at[static_cast<std::size_t>(k)].x, nodes.at[static_cast<std::size_t>(k)].y};
  return t;
}

double Cross(LinePoint a, LinePoint b, LinePoint p) { return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x); }

// The parameters t in [0, 1] of the points from + t (to - from) inside the
// triangle, sides included with a tolerance of rounding; false when none.
bool Clip(const Triangle& tri, LinePoint from, LinePoint to, double& t0, double& t1) {
  const double twiceArea = Cross(tri.corner[0], tri.corner[1], tri.corner[2]);
  if (twiceArea == 0.0) return false;
  const double sign = twiceArea > 0.0 ? 1.0 : -1.0;
  const double tolerance = 1e-14 * std::fabs(twiceArea);
  t0 = 0.0;
  t1 = 1.0;
  for (int k = 0; k < 3; ++k) {
    const LinePoint a = tri.corner[k];
    const LinePoint b = tri.corner[(k + 1) % 3];
    // Inside this side where f(t) = f0 + t f1 >= -tolerance.
    const double f0 = sign * Cross(a, b, from) + tolerance;
    const double f1 = sign * Cross(a, b, to) + tolerance - f0;
    if (f1 == 0.0) {
      if (f0 < 0.0) return false;
    } else if (f1 > 0.0) {
      t0 = std::max(t0, -f0 / f1);
    } else {
      t1 = std::min(t1, -f0 / f1);
    }
    if (t0 > t1) return false;
  }
  return true;
}

LinePoint At(LinePoint from, LinePoint to, double t) {
  return {from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t};
}

// The averaged field at p, interpolated with the element's shape functions.
double Averaged(const FiniteElement& type, const ElementNodes& nodes, std::span<const double> cornerValues,
                int32_t element, LinePoint p) {
  const auto count = static_cast<std::size_t>(nodes.count);
  return Interpolate(type.ShapeAt(nodes, {p.x, p.y}), cornerValues.subspan(count * static_cast<std::size_t>(element - 1), count));
}

// An element's extent over all its nodes, slightly widened: the points that
// may lie in it.
struct ElementBox {
  int32_t element;
  double left, right, bottom, top;
  bool Holds(LinePoint p) const { return left <= p.x && p.x <= right && bottom <= p.y && p.y <= top; }
};

std::vector<ElementBox> ElementBoxes(const Model& model) {
  std::vector<ElementBox> boxes;
  boxes.reserve(static_cast<std::size_t>(std::max(model.elementCount, 0)));
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const ElementNodes nodes = NodesOf(model, e);
    ElementBox box{e, nodes.at[0].x, nodes.at[0].x, nodes.at[0].y, nodes.at[0].y};
    for (std::size_t k = 1; k < static_cast<std::size_t>(nodes.count); ++k) {
      box.left = std::min(box.left, nodes.at[k].x);
      box.right = std::max(box.right, nodes.at[k].x);
      box.bottom = std::min(box.bottom, nodes.at[k].y);
      box.top = std::max(box.top, nodes.at[k].y);
    }
    const double slack = RoundingSlack * std::max(box.right - box.left, box.top - box.bottom);
    box.left -= slack;
    box.right += slack;
    box.bottom -= slack;
    box.top += slack;
    boxes.push_back(box);
  }
  return boxes;
}

// Each piece cut into PiecesPerStretch, the averaged value at the ends of
// each from the element's shape functions.
constexpr int32_t PiecesPerStretch = 8;

std::vector<LinePiece> FollowCurves(const Model& model, std::span<const double> cornerValues,
                                    const LineProfile& profile, LinePoint from, LinePoint to) {
  const FiniteElement& type = ElementTypeOf(model);
  std::vector<LinePiece> pieces;
  pieces.reserve(profile.pieces.size() * PiecesPerStretch);
  for (const LinePiece& whole : profile.pieces) {
    const ElementNodes nodes = NodesOf(model, whole.element);
    double start = whole.from, startValue = whole.averagedFrom;
    for (int32_t k = 1; k <= PiecesPerStretch; ++k) {
      const double end = k == PiecesPerStretch ? whole.to : whole.from + (whole.to - whole.from) * k / PiecesPerStretch;
      const double endValue = k == PiecesPerStretch
                                  ? whole.averagedTo
                                  : Averaged(type, nodes, cornerValues, whole.element, At(from, to, end / profile.length));
      pieces.push_back({start, end, whole.element, whole.elementValue, startValue, endValue});
      start = end;
      startValue = endValue;
    }
  }
  return pieces;
}

}  // namespace

LineProfile SampleAlongLine(const Model& model, std::span<const double> elementValues,
                            std::span<const double> cornerValues, LinePoint from, LinePoint to, int32_t points) {
  LineProfile profile;
  profile.length = std::hypot(to.x - from.x, to.y - from.y);

  // Every element the line crosses, with its parameter interval.
  struct Crossing {
    double t0, t1;
    int32_t element;
    double slack;  // rounding at the element's size
  };
  std::vector<Crossing> crossings;
  const double left = std::min(from.x, to.x), right = std::max(from.x, to.x);
  const double bottom = std::min(from.y, to.y), top = std::max(from.y, to.y);
  const FiniteElement& type = ElementTypeOf(model);
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const Triangle tri = OutlineOf(NodesOf(model, e));
    const auto [xmin, xmax] = std::minmax({tri.corner[0].x, tri.corner[1].x, tri.corner[2].x});
    const auto [ymin, ymax] = std::minmax({tri.corner[0].y, tri.corner[1].y, tri.corner[2].y});
    // A line along the mesh's side must not miss it by rounding in a coordinate.
    const double slack = RoundingSlack * std::max(xmax - xmin, ymax - ymin);
    if (xmax + slack < left || xmin - slack > right || ymax + slack < bottom || ymin - slack > top) continue;
    double t0 = 0.0, t1 = 0.0;
    if (Clip(tri, from, to, t0, t1)) crossings.push_back({t0, t1, e, slack});
  }

  for (const Crossing& c : crossings) {
    // A touch at one point, a corner the line passes or ends on, carries no
    // length: the clip's tolerance alone leaves a sliver there, which would
    // show the value of an element the line never runs in.
    if (!((c.t1 - c.t0) * profile.length > c.slack)) continue;
    const ElementNodes nodes = NodesOf(model, c.element);
    profile.pieces.push_back({c.t0 * profile.length, c.t1 * profile.length, c.element,
                              elementValues[static_cast<std::size_t>(c.element - 1)],
                              Averaged(type, nodes, cornerValues, c.element, At(from, to, c.t0)),
                              Averaged(type, nodes, cornerValues, c.element, At(from, to, c.t1))});
  }
  std::sort(profile.pieces.begin(), profile.pieces.end(),
            [](const LinePiece& a, const LinePiece& b) { return a.from < b.from; });

  // A six-node element's field is quadratic along the line: its stretch is
  // drawn as short pieces that follow it.
  if (type.NodeCount() > type.CornerCount()) profile.pieces = FollowCurves(model, cornerValues, profile, from, to);

  const int32_t count = std::max(points, 2);
  profile.samples.reserve(static_cast<std::size_t>(count));
  const std::vector<ElementBox> boxes =
      type.NodeCount() > type.CornerCount() ? ElementBoxes(model) : std::vector<ElementBox>{};
  for (int32_t i = 0; i < count; ++i) {
    const double t = i == count - 1 ? 1.0 : static_cast<double>(i) / (count - 1);
    LineSample sample;
    const LinePoint p = i == count - 1 ? to : At(from, to, t);
    sample.s = t * profile.length;
    sample.x = p.x;
    sample.y = p.y;
    if (boxes.empty()) {
      for (const Crossing& c : crossings)
        if (c.t0 <= t && t <= c.t1 && c.element > sample.element) sample.element = c.element;
      if (sample.element > 0)
        sample.averagedValue = Averaged(type, NodesOf(model, sample.element), cornerValues, sample.element, p);
    } else {
      // The element whose own coordinates hold the point, by the inverse map,
      // so a point in the bulge of a curved side finds the element it is in.
      for (const ElementBox& box : boxes) {
        if (box.element < sample.element || !box.Holds(p)) continue;
        const ElementNodes nodes = NodesOf(model, box.element);
        const ReferencePoint at = type.ReferenceAt(nodes, {p.x, p.y});
        if (!InReferenceTriangle(at, RoundingSlack)) continue;
        sample.element = box.element;
        const auto n = static_cast<std::size_t>(nodes.count);
        sample.averagedValue =
            Interpolate(type.N(at), cornerValues.subspan(n * static_cast<std::size_t>(box.element - 1), n));
      }
    }
    if (sample.element > 0) sample.elementValue = elementValues[static_cast<std::size_t>(sample.element - 1)];
    profile.samples.push_back(sample);
  }
  return profile;
}

}  // namespace trivane
