// The probe: which node or element lies under a pixel of the picture shown.
#include <cmath>

#include "analysis/compute.h"
#include "app/session.h"

namespace trivane {
namespace {

struct Point {
  double x;
  double y;
};

// Twice the signed area of the triangle a, b, c.
double Cross(Point a, Point b, Point c) { return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x); }

bool Inside(Point p, Point a, Point b, Point c) {
  const double ab = Cross(a, b, p), bc = Cross(b, c, p), ca = Cross(c, a, p);
  return (ab >= 0 && bc >= 0 && ca >= 0) || (ab <= 0 && bc <= 0 && ca <= 0);
}

}  // namespace

// Positions are those of the picture shown: on a deformed plot, the nodes
// where it drew them. Later elements are drawn over earlier ones, so the last
// element holding the point is the one the user sees.
ProbeHit Session::Probe(int x, int y) const {
  const bool deformed = shown_.kind == PictureKind::Deformed;
  const auto position = [&](int32_t node) {
    Point p{model_->nodes[node].x, model_->nodes[node].y};
    if (deformed) {
      p.x += shown_.deformed.magnification * DisplacementU(*tables_, node);
      p.y += shown_.deformed.magnification * DisplacementV(*tables_, node);
    }
    return p;
  };

  ProbeHit hit;
  double nearest = ProbeRadius;
  for (int32_t k = 1; k <= model_->nodeCount; ++k) {
    const Point p = position(k);
    const Pixel at = ToPixel(view_, p.x, p.y);
    const double distance = std::hypot(at.x - x, at.y - y);
    if (distance < nearest || (distance == nearest && hit.kind == ProbeHit::Nothing)) {
      nearest = distance;
      hit = {ProbeHit::Node, k};
    }
  }
  if (hit.kind == ProbeHit::Node || view_.scale == 0.0) return hit;

  const Point pointer{view_.centreX + (x - view_.halfWidth) / view_.scale,
                      view_.centreY + (view_.halfHeight - y) / view_.scale};
  for (int32_t e = model_->elementCount; e >= 1; --e) {
    const Element& el = model_->elements[e];
    const auto valid = [&](int32_t n) { return n >= 1 && n <= model_->nodeCount; };
    if (!valid(el.node1) || !valid(el.node2) || !valid(el.node3)) continue;
    if (Inside(pointer, position(el.node1), position(el.node2), position(el.node3))) return {ProbeHit::Element, e};
  }
  return hit;
}

}  // namespace trivane
