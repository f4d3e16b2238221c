#include "app/line_snap.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <span>

#include "analysis/compute.h"
#include "analysis/elements/finite_element.h"
#include "app/session.h"
#include "model/mesh_edges.h"

namespace trivane {
namespace {

bool Valid(const Model& model, int32_t node) { return node >= 1 && node <= model.nodeCount; }

// The point of the segment a-b nearest to p. On a side along an axis the
// result keeps that coordinate exactly, so the end lies on the side itself.
LinePoint NearestOnSegment(LinePoint p, LinePoint a, LinePoint b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  if (length2 == 0.0) return a;
  const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
  return {a.x + t * dx, a.y + t * dy};
}

}  // namespace

// Distances are measured in the model and compared with the radius scaled to
// it, so that the snap does not depend on how a node's pixel was rounded.
LinePoint SnapLineEnd(const Model& model, const ViewTransform& view, int x, int y) {
  const ModelPoint at = FromPixel(view, x, y);
  const LinePoint clicked{at.x, at.y};
  const double radius = ProbeRadius / view.scale;
  const auto distance = [&](LinePoint p) { return std::hypot(p.x - clicked.x, p.y - clicked.y); };

  double nearest = std::numeric_limits<double>::infinity();
  LinePoint snapped = clicked;
  for (int32_t k = 1; k <= model.nodeCount; ++k) {
    const LinePoint node{model.nodes[k].x, model.nodes[k].y};
    const double d = distance(node);
    if (d > radius || d >= nearest) continue;
    nearest = d;
    snapped = node;
  }
  if (nearest <= radius) return snapped;

  // A six-node side is followed through its middle node: exact on a straight
  // side, within its bulge of a curved one.
  const MeshEdges edges(model);
  const FiniteElement& type = ElementTypeOf(model);
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const Element& element = model.elements[e];
    for (int32_t s = 0; s < type.SideCount(); ++s) {
      const std::span<const int32_t> side = type.SideNodes(s);
      std::array<int32_t, 3> path{};
      std::size_t count = 0;
      path[count++] = element.node[static_cast<std::size_t>(side[0])];
      if (side.size() == 3) path[count++] = element.node[static_cast<std::size_t>(side[2])];
      path[count++] = element.node[static_cast<std::size_t>(side[1])];
      if (!std::all_of(path.begin(), path.begin() + count, [&](int32_t n) { return Valid(model, n); })) continue;
      if (!edges.OnBoundary({path[0], path[count - 1]})) continue;
      for (std::size_t k = 0; k + 1 < count; ++k) {
        const LinePoint a{model.nodes[path[k]].x, model.nodes[path[k]].y};
        const LinePoint b{model.nodes[path[k + 1]].x, model.nodes[path[k + 1]].y};
        const LinePoint p = NearestOnSegment(clicked, a, b);
        const double d = distance(p);
        if (d > radius || d >= nearest) continue;
        nearest = d;
        snapped = p;
      }
    }
  }
  return snapped;
}

}  // namespace trivane
