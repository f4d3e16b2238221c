// The probe: which node or element lies under a pixel of the picture shown.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "analysis/compute.h"
#include "analysis/elements/finite_element.h"
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
      p.x += shown_.deformed.magnification * DisplacementU(*solution_, node);
      p.y += shown_.deformed.magnification * DisplacementV(*solution_, node);
    }
    return p;
  };

  // Each node's shortest side on the screen, or in a six-node model half
  // side, found only once some node lies within ProbeRadius: the mesh's scale
  // near the pointer.
  std::vector<double> shortest;
  const auto reach = [&](int32_t node) {
    if (shortest.empty()) {
      shortest.assign(static_cast<size_t>(model_->nodeCount) + 1, std::numeric_limits<double>::infinity());
      const auto measure = [&](int32_t a, int32_t b) {
        if (a < 1 || a > model_->nodeCount || b < 1 || b > model_->nodeCount) return;
        const Point pa = position(a), pb = position(b);
        const Pixel qa = ToPixel(view_, pa.x, pa.y), qb = ToPixel(view_, pb.x, pb.y);
        const double length = std::hypot(double(qa.x) - qb.x, double(qa.y) - qb.y);
        if (length == 0.0) return;  // a node doubled at one place says nothing of the mesh
        shortest[a] = std::min(shortest[a], length);
        shortest[b] = std::min(shortest[b], length);
      };
      const FiniteElement& type = ElementTypeOf(*model_);
      for (int32_t e = 1; e <= model_->elementCount; ++e) {
        const Element& element = model_->elements[e];
        for (int32_t s = 0; s < type.SideCount(); ++s) {
          const std::span<const int32_t> side = type.SideNodes(s);
          const auto node = [&](std::size_t k) { return element.node[static_cast<std::size_t>(side[k])]; };
          // Along a six-node side a corner's neighbour is the middle node.
          if (side.size() == 3) {
            measure(node(0), node(2));
            measure(node(2), node(1));
          } else {
            measure(node(0), node(1));
          }
        }
      }
    }
    return std::min<double>(ProbeRadius, ProbeShareOfSide * shortest[node]);
  };

  // The nearest node within its reach; of nodes equally near, the first.
  ProbeHit hit;
  double nearest = std::numeric_limits<double>::infinity();
  for (int32_t k = 1; k <= model_->nodeCount; ++k) {
    const Point p = position(k);
    const Pixel at = ToPixel(view_, p.x, p.y);
    const double distance = std::hypot(at.x - x, at.y - y);
    if (distance > ProbeRadius || distance >= nearest || distance > reach(k)) continue;
    nearest = distance;
    hit = {ProbeHit::Node, k};
  }
  if (hit.kind == ProbeHit::Node || view_.scale == 0.0) return hit;

  const ModelPoint at = FromPixel(view_, x, y);
  const Point pointer{at.x, at.y};
  const FiniteElement& type = ElementTypeOf(*model_);
  if (type.NodeCount() > type.CornerCount()) {
    // The element whose inverse map takes the pointer into its reference
    // triangle, with its sides curved as drawn.
    for (int32_t e = model_->elementCount; e >= 1; --e) {
      const std::span<const int32_t> nodes = model_->elements[e].Nodes();
      const auto valid = [&](int32_t n) { return n >= 1 && n <= model_->nodeCount; };
      if (!std::all_of(nodes.begin(), nodes.end(), valid)) continue;
      ElementNodes drawn = NodesOf(*model_, e);
      for (std::size_t k = 0; k < nodes.size(); ++k) {
        const Point p = position(nodes[k]);
        drawn.at[k] = {p.x, p.y};
      }
      const ReferencePoint inside = type.ReferenceAt(drawn, {pointer.x, pointer.y});
      if (InReferenceTriangle(inside, 0.0)) return {ProbeHit::Element, e, inside};
    }
    return hit;
  }
  for (int32_t e = model_->elementCount; e >= 1; --e) {
    const std::span<const int32_t> corners = CornersOf(*model_, model_->elements[e]);
    const auto valid = [&](int32_t n) { return n >= 1 && n <= model_->nodeCount; };
    if (!std::all_of(corners.begin(), corners.end(), valid)) continue;
    if (Inside(pointer, position(corners[0]), position(corners[1]), position(corners[2]))) return {ProbeHit::Element, e};
  }
  return hit;
}

}  // namespace trivane
