#include "display/edge_loads.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_set>

#include "model/mesh_edges.h"

namespace trivane {

namespace {

constexpr Rgb Orange{255, 128, 0};

struct Vec {
  double x = 0.0;
  double y = 0.0;
};

// The load per unit area at a point of the edge, as a value along the
// direction the arrows take there (pressures) or as its own vector (traction).
double PressureAt(const EdgeLoad& load, double y) {
  if (load.kind == EdgeLoadKind::Water) return y < load.a ? load.b * (load.a - y) : 0.0;
  return load.a;
}

double Magnitude(const EdgeLoad& load, double y) {
  return load.kind == EdgeLoadKind::Traction ? std::hypot(load.a, load.b) : std::fabs(PressureAt(load, y));
}

bool ValidNode(const Model& model, int32_t n) { return n >= 1 && n <= model.nodeCount && n <= MaxNodes; }

// Spaces the arrows of one picture: at most one per square cell of the
// spacing, so a fine mesh gets a readable row of arrows instead of a band.
class ArrowSpace {
 public:
  bool Claim(Pixel p) {
    const int64_t key = (int64_t{p.x / EdgeArrowSpacing} << 32) ^ (p.y / EdgeArrowSpacing & 0xFFFFFFFF);
    return taken_.insert(key).second;
  }

 private:
  std::unordered_set<int64_t> taken_;
};

void Arrow(Canvas& canvas, Vec tail, Vec tip) {
  const double dx = tip.x - tail.x, dy = tip.y - tail.y;
  const double length = std::hypot(dx, dy);
  if (length < 1.0) return;
  const double ux = dx / length, uy = dy / length;
  const double head = std::min(6.0, length / 2);
  canvas.MoveTo(RoundToPixel(tail.x), RoundToPixel(tail.y));
  canvas.LineTo(RoundToPixel(tip.x), RoundToPixel(tip.y));
  canvas.LineTo(RoundToPixel(tip.x - head * ux + head / 2 * uy), RoundToPixel(tip.y - head * uy - head / 2 * ux));
  canvas.MoveTo(RoundToPixel(tip.x), RoundToPixel(tip.y));
  canvas.LineTo(RoundToPixel(tip.x - head * ux - head / 2 * uy), RoundToPixel(tip.y - head * uy + head / 2 * ux));
}

}  // namespace

void DrawEdgeLoads(Canvas& canvas, const Model& model, const ViewTransform& view, NodePositions positions) {
  const std::vector<EdgeLoad>& loads = model.conditions.edgeLoads;
  if (loads.empty()) return;
  double largest = 0.0;
  for (const EdgeLoad& load : loads) {
    if (!ValidNode(model, load.edge.node1) || !ValidNode(model, load.edge.node2)) continue;
    for (const int32_t n : {load.edge.node1, load.edge.node2})
      largest = std::max(largest, Magnitude(load, model.nodes[n].y));
    // A water face's deepest point may lie between the ends only on a curved
    // face, which three-node elements do not have: the ends bound it.
  }
  if (!(largest > 0.0) || !std::isfinite(largest)) return;
  const double perUnit = EdgeLoadLength / largest;

  const MeshEdges sides(model);
  ArrowSpace arrows;
  canvas.SetPenMode(PenMode::Copy);
  canvas.SetPenStyle(PenStyle::Solid);
  canvas.SetPenWidth(1);
  canvas.SetPenColour(Orange);
  canvas.SetBrushStyle(BrushStyle::Hollow);
  for (const EdgeLoad& load : loads) {
    const int32_t element = sides.FirstElement(load.edge);
    if (element == 0 || !ValidNode(model, load.edge.node1) || !ValidNode(model, load.edge.node2)) continue;
    const NodePosition n1 = PositionOf(model, positions, load.edge.node1);
    const NodePosition n2 = PositionOf(model, positions, load.edge.node2);
    const Pixel p1 = ToPixel(view, n1.x, n1.y), p2 = ToPixel(view, n2.x, n2.y);
    // The screen direction of a push into the body: normal to the edge, on
    // the side of the element's third corner.
    Vec inward{-(double(p2.y) - p1.y), double(p2.x) - p1.x};
    const double edgeLength = std::hypot(inward.x, inward.y);
    if (edgeLength == 0.0) continue;
    inward = {inward.x / edgeLength, inward.y / edgeLength};
    for (const int32_t corner : model.elements[element].Nodes()) {
      if (corner == load.edge.node1 || corner == load.edge.node2 || !ValidNode(model, corner)) continue;
      const NodePosition at = PositionOf(model, positions, corner);
      const Pixel c = ToPixel(view, at.x, at.y);
      if ((c.x - p1.x) * inward.x + (c.y - p1.y) * inward.y < 0) inward = {-inward.x, -inward.y};
    }
    // The arrow at a point of the edge: its tip on the edge, its tail where
    // the load pushes from, EdgeLoadLength pixels out for the largest value.
    const auto tailAt = [&](Vec at, double y) -> Vec {
      if (load.kind == EdgeLoadKind::Traction)
        return {at.x - load.a * perUnit, at.y + load.b * perUnit};  // screen y points down
      const double along = PressureAt(load, y) * perUnit;
      return {at.x - along * inward.x, at.y - along * inward.y};
    };
    const Vec a{double(p1.x), double(p1.y)}, b{double(p2.x), double(p2.y)};
    const Vec tail1 = tailAt(a, n1.y), tail2 = tailAt(b, n2.y);
    canvas.MoveTo(RoundToPixel(tail1.x), RoundToPixel(tail1.y));
    canvas.LineTo(RoundToPixel(tail2.x), RoundToPixel(tail2.y));
    const int32_t count = std::max(1, static_cast<int32_t>(edgeLength / EdgeArrowSpacing));
    for (int32_t k = 0; k <= count; ++k) {
      const double t = static_cast<double>(k) / count;
      const Vec at{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
      if (!arrows.Claim({RoundToPixel(at.x), RoundToPixel(at.y)})) continue;
      const double y = n1.y + t * (n2.y - n1.y);
      // Suction puts the tail inside the body: the arrow then points out.
      Arrow(canvas, tailAt(at, y), at);
    }
  }
}

}  // namespace trivane
