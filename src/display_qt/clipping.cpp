#include "display_qt/clipping.h"

#include <algorithm>
#include <cmath>

namespace trivane {

namespace {

bool Inside(Pixel p, const ClipBox& box) {
  return p.x >= box.left && p.x <= box.right && p.y >= box.top && p.y <= box.bottom;
}

int32_t Round(double value) { return static_cast<int32_t>(std::nearbyint(value)); }

// One edge of the box for Sutherland-Hodgman: the side where
// axis-coordinate * sign <= limit * sign is kept.
struct Edge {
  bool vertical;  // true: compares x
  double limit;
  double sign;
  double Coordinate(const PointF& p) const { return vertical ? p.x : p.y; }
  bool Keeps(const PointF& p) const { return Coordinate(p) * sign <= limit * sign; }
  PointF Cross(const PointF& a, const PointF& b) const {
    const double f = (limit - Coordinate(a)) / (Coordinate(b) - Coordinate(a));
    return vertical ? PointF{limit, a.y + f * (b.y - a.y)} : PointF{a.x + f * (b.x - a.x), limit};
  }
};

std::vector<PointF> ClipAgainst(const std::vector<PointF>& in, const Edge& edge) {
  std::vector<PointF> out;
  for (size_t k = 0; k < in.size(); ++k) {
    const PointF& current = in[k];
    const PointF& previous = in[(k + in.size() - 1) % in.size()];
    if (edge.Keeps(current)) {
      if (!edge.Keeps(previous)) out.push_back(edge.Cross(previous, current));
      out.push_back(current);
    } else if (edge.Keeps(previous)) {
      out.push_back(edge.Cross(previous, current));
    }
  }
  return out;
}

}  // namespace

ClipBox PenClipBox(int32_t width, int32_t height, int32_t penWidth) {
  const int32_t margin = std::clamp(penWidth, 1, 1 << 16) + 2;
  return {-margin, -margin, width - 1 + margin, height - 1 + margin};
}

int32_t ClampTo(int32_t value, int32_t low, int32_t high) { return std::clamp(value, low, high); }

std::optional<std::pair<Pixel, Pixel>> ClipSegment(Pixel from, Pixel to, const ClipBox& box) {
  if (Inside(from, box) && Inside(to, box)) return std::pair(from, to);
  // Liang-Barsky: the segment is from + t (to - from), t in [0, 1].
  const double dx = static_cast<double>(to.x) - from.x;
  const double dy = static_cast<double>(to.y) - from.y;
  double enter = 0.0;
  double leave = 1.0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {static_cast<double>(from.x) - box.left, static_cast<double>(box.right) - from.x,
                       static_cast<double>(from.y) - box.top, static_cast<double>(box.bottom) - from.y};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0.0) {
      if (q[k] < 0.0) return std::nullopt;
      continue;
    }
    const double r = q[k] / p[k];
    if (p[k] < 0.0) {
      enter = std::max(enter, r);
    } else {
      leave = std::min(leave, r);
    }
  }
  if (enter > leave) return std::nullopt;
  const auto at = [&](double t) {
    return Pixel{std::clamp(Round(from.x + t * dx), box.left, box.right),
                 std::clamp(Round(from.y + t * dy), box.top, box.bottom)};
  };
  return std::pair(enter == 0.0 ? from : at(enter), leave == 1.0 ? to : at(leave));
}

std::vector<PointF> ClipPolygon(std::span<const Pixel> points, const ClipBox& box) {
  std::vector<PointF> polygon;
  bool inside = true;
  for (const Pixel p : points) {
    polygon.push_back({static_cast<double>(p.x), static_cast<double>(p.y)});
    inside = inside && Inside(p, box);
  }
  if (inside) return polygon;
  const Edge edges[4] = {{true, static_cast<double>(box.left), -1.0},
                         {true, static_cast<double>(box.right), 1.0},
                         {false, static_cast<double>(box.top), -1.0},
                         {false, static_cast<double>(box.bottom), 1.0}};
  for (const Edge& edge : edges) {
    if (polygon.empty()) break;
    polygon = ClipAgainst(polygon, edge);
  }
  return polygon;
}

}  // namespace trivane
