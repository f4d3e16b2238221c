#include "display/edge_loads.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <unordered_set>

#include "analysis/elements/finite_element.h"
#include "display/element_shape.h"
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

// The node in the middle of the element's side between the edge's ends, in a
// six-node element; 0 where the side is straight by its element type.
int32_t MiddleNode(const Model& model, int32_t element, const Edge& edge) {
  const FiniteElement& type = ElementTypeOf(model);
  const Element& el = model.elements[element];
  for (int32_t s = 0; s < type.SideCount(); ++s) {
    const std::span<const int32_t> side = type.SideNodes(s);
    if (side.size() < 3) return 0;
    const int32_t a = el.node[static_cast<std::size_t>(side[0])], b = el.node[static_cast<std::size_t>(side[1])];
    if ((a == edge.node1 && b == edge.node2) || (a == edge.node2 && b == edge.node1))
      return el.node[static_cast<std::size_t>(side[2])];
  }
  return 0;
}

// y along a six-node side, a parabola through its ends and middle: where it
// turns between the ends, the water there is the deepest of the side.
std::optional<double> TurningY(double y1, double middle, double y2) {
  const double bulge = middle - (y1 + y2) / 2;
  if (bulge == 0.0) return std::nullopt;
  const double t = 0.5 + (y2 - y1) / (8 * bulge);
  if (!(t > 0.0 && t < 1.0)) return std::nullopt;
  return y1 + t * (y2 - y1) + 4 * t * (1 - t) * bulge;
}

}  // namespace

void DrawEdgeLoads(Canvas& canvas, const Model& model, const ViewTransform& view, NodePositions positions) {
  const std::vector<EdgeLoad>& loads = model.conditions.edgeLoads;
  if (loads.empty()) return;
  double largest = 0.0;
  const MeshEdges sides(model);
  for (const EdgeLoad& load : loads) {
    if (!ValidNode(model, load.edge.node1) || !ValidNode(model, load.edge.node2)) continue;
    for (const int32_t n : {load.edge.node1, load.edge.node2})
      largest = std::max(largest, Magnitude(load, model.nodes[n].y));
    const int32_t element = sides.FirstElement(load.edge);
    const int32_t middle = element == 0 ? 0 : MiddleNode(model, element, load.edge);
    if (ValidNode(model, middle)) {
      const std::optional<double> deepest =
          TurningY(model.nodes[load.edge.node1].y, model.nodes[middle].y, model.nodes[load.edge.node2].y);
      if (deepest) largest = std::max(largest, Magnitude(load, *deepest));
    }
  }
  if (!(largest > 0.0) || !std::isfinite(largest)) return;
  const double perUnit = EdgeLoadLength / largest;

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
    for (const int32_t corner : CornersOf(model, model.elements[element])) {
      if (corner == load.edge.node1 || corner == load.edge.node2 || !ValidNode(model, corner)) continue;
      const NodePosition at = PositionOf(model, positions, corner);
      const Pixel c = ToPixel(view, at.x, at.y);
      if ((c.x - p1.x) * inward.x + (c.y - p1.y) * inward.y < 0) inward = {-inward.x, -inward.y};
    }
    // A six-node side bends through its middle node: the points of the edge
    // leave the chord by 4 t (1 - t) times the middle's offset from it, on
    // the screen and in y, and the arrows stand normal to the curve.
    const int32_t middleNode = MiddleNode(model, element, load.edge);
    const bool curved = ValidNode(model, middleNode);
    const NodePosition nm = curved ? PositionOf(model, positions, middleNode) : NodePosition{};
    const Pixel pm = ToPixel(view, nm.x, nm.y);
    const Vec bulge{curved ? pm.x - (double(p1.x) + p2.x) / 2 : 0.0, curved ? pm.y - (double(p1.y) + p2.y) / 2 : 0.0};
    const double bulgeY = curved ? nm.y - (n1.y + n2.y) / 2 : 0.0;
    const auto normalAt = [&](double t) {
      if (!curved) return inward;
      const Vec along{double(p2.x) - p1.x + 4 * (1 - 2 * t) * bulge.x, double(p2.y) - p1.y + 4 * (1 - 2 * t) * bulge.y};
      const double length = std::hypot(along.x, along.y);
      if (length == 0.0) return inward;
      const Vec normal{-along.y / length, along.x / length};
      return normal.x * inward.x + normal.y * inward.y < 0 ? Vec{-normal.x, -normal.y} : normal;
    };
    const Vec a{double(p1.x), double(p1.y)}, b{double(p2.x), double(p2.y)};
    const auto pointAt = [&](double t) -> Vec {
      if (!curved) return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
      const double out = 4 * t * (1 - t);
      return {a.x + t * (b.x - a.x) + out * bulge.x, a.y + t * (b.y - a.y) + out * bulge.y};
    };
    const auto yAt = [&](double t) { return n1.y + t * (n2.y - n1.y) + (curved ? 4 * t * (1 - t) * bulgeY : 0.0); };
    // The arrow at a point of the edge: its tip on the edge, its tail where
    // the load pushes from, EdgeLoadLength pixels out for the largest value.
    const auto tailAt = [&](double t, double y) -> Vec {
      const Vec at = pointAt(t);
      if (load.kind == EdgeLoadKind::Traction)
        return {at.x - load.a * perUnit, at.y + load.b * perUnit};  // screen y points down
      const double along = PressureAt(load, y) * perUnit;
      const Vec normal = normalAt(t);
      return {at.x - along * normal.x, at.y - along * normal.y};
    };
    // The tails joined, from end to end: a line, or along a curved side a
    // polyline as fine as the side's outline.
    const int32_t segments = curved ? SideSegments(std::hypot(bulge.x, bulge.y)) : 1;
    const Vec tail1 = tailAt(0.0, n1.y);
    canvas.MoveTo(RoundToPixel(tail1.x), RoundToPixel(tail1.y));
    for (int32_t k = 1; k <= segments; ++k) {
      const double t = static_cast<double>(k) / segments;
      const Vec tail = tailAt(t, k == segments ? n2.y : yAt(t));
      canvas.LineTo(RoundToPixel(tail.x), RoundToPixel(tail.y));
    }
    const int32_t count = std::max(1, static_cast<int32_t>(edgeLength / EdgeArrowSpacing));
    for (int32_t k = 0; k <= count; ++k) {
      const double t = static_cast<double>(k) / count;
      const Vec at = pointAt(t);
      if (!arrows.Claim({RoundToPixel(at.x), RoundToPixel(at.y)})) continue;
      // Suction puts the tail inside the body: the arrow then points out.
      Arrow(canvas, tailAt(t, yAt(t)), at);
    }
  }
}

}  // namespace trivane
