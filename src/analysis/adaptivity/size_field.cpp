#include "analysis/adaptivity/size_field.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/elements/finite_element.h"

namespace trivane {

namespace {

// The point of segment ab nearest to p, as the parameter along it.
double Along(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay, length2 = dx * dx + dy * dy;
  return length2 > 0.0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / length2, 0.0, 1.0) : 0.0;
}

}  // namespace

SizeFieldLookup::SizeFieldLookup(const SizeField& field) {
  const Model& mesh = field.mesh;
  const auto m = static_cast<std::size_t>(mesh.elementCount);
  // The field is linear over each element's corners.
  const int32_t corners = ElementTypeOf(mesh).CornerCount();
  corners_.reserve(3 * m);
  double x1 = -std::numeric_limits<double>::infinity(), y1 = x1;
  x0_ = y0_ = std::numeric_limits<double>::infinity();
  for (int32_t e = 1; e <= mesh.elementCount; ++e) {
    for (const int32_t k : mesh.elements[e].Nodes().first(static_cast<std::size_t>(corners))) {
      const Node& n = mesh.nodes[k];
      corners_.push_back({n.x, n.y, field.nodeSizes[static_cast<std::size_t>(k - 1)]});
      x0_ = std::min(x0_, n.x), y0_ = std::min(y0_, n.y), x1 = std::max(x1, n.x), y1 = std::max(y1, n.y);
    }
  }
  if (m == 0) return;
  // About one triangle per cell.
  const double width = x1 - x0_, height = y1 - y0_;
  cell_ = std::max(std::sqrt(width * height / static_cast<double>(m)), std::max(width, height) / 4096.0);
  if (!(cell_ > 0.0)) cell_ = 1.0;
  columns_ = static_cast<int32_t>(width / cell_) + 1;
  rows_ = static_cast<int32_t>(height / cell_) + 1;

  // Each triangle goes into every cell its bounding box touches: counted, then placed.
  cellStart_.assign(static_cast<std::size_t>(columns_) * rows_ + 1, 0);
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t t = 0; t < m; ++t) {
      const Corner* p = &corners_[3 * t];
      const int32_t cx0 = CellX(std::min({p[0].x, p[1].x, p[2].x})), cx1 = CellX(std::max({p[0].x, p[1].x, p[2].x}));
      const int32_t cy0 = CellY(std::min({p[0].y, p[1].y, p[2].y})), cy1 = CellY(std::max({p[0].y, p[1].y, p[2].y}));
      for (int32_t cy = cy0; cy <= cy1; ++cy)
        for (int32_t cx = cx0; cx <= cx1; ++cx) {
          const auto cell = static_cast<std::size_t>(cy) * columns_ + cx;
          if (pass == 0)
            ++cellStart_[cell + 1];
          else
            cellTriangles_[static_cast<std::size_t>(cellStart_[cell]++)] = static_cast<int32_t>(t);
        }
    }
    if (pass == 0) {
      for (std::size_t c = 1; c < cellStart_.size(); ++c) cellStart_[c] += cellStart_[c - 1];
      cellTriangles_.resize(static_cast<std::size_t>(cellStart_.back()));
    } else {
      // Placing moved every start to the next cell's; move them back.
      for (std::size_t c = cellStart_.size() - 1; c > 0; --c) cellStart_[c] = cellStart_[c - 1];
      cellStart_[0] = 0;
    }
  }
}

int32_t SizeFieldLookup::CellX(double x) const {
  return std::clamp(static_cast<int32_t>(std::floor((x - x0_) / cell_)), 0, columns_ - 1);
}
int32_t SizeFieldLookup::CellY(double y) const {
  return std::clamp(static_cast<int32_t>(std::floor((y - y0_) / cell_)), 0, rows_ - 1);
}

// Inside the triangle: distance 0 and the linear value. Outside: the nearest
// point of its sides and the value there.
SizeFieldLookup::Nearest SizeFieldLookup::Nearer(Nearest best, std::size_t triangle, double x, double y) const {
  const Corner* p = &corners_[3 * triangle];
  const double area2 = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
  if (area2 != 0.0) {
    const double l1 = ((p[1].x - x) * (p[2].y - y) - (p[2].x - x) * (p[1].y - y)) / area2;
    const double l2 = ((p[2].x - x) * (p[0].y - y) - (p[0].x - x) * (p[2].y - y)) / area2;
    const double l3 = 1.0 - l1 - l2;
    if (l1 >= 0.0 && l2 >= 0.0 && l3 >= 0.0) return {0.0, l1 * p[0].size + l2 * p[1].size + l3 * p[2].size};
  }
  for (int side = 0; side < 3; ++side) {
    const Corner &a = p[side], &b = p[(side + 1) % 3];
    const double s = Along(x, y, a.x, a.y, b.x, b.y);
    const double dx = a.x + s * (b.x - a.x) - x, dy = a.y + s * (b.y - a.y) - y;
    const double d2 = dx * dx + dy * dy;
    if (d2 < best.distanceSquared) best = {d2, a.size + s * (b.size - a.size)};
  }
  return best;
}

double SizeFieldLookup::At(double x, double y) const {
  if (corners_.empty()) return std::numeric_limits<double>::infinity();
  const int32_t cx = CellX(x), cy = CellY(y);
  // How far the point lies outside the grid, which no ring can be nearer than.
  const double outside = std::hypot(std::max({x0_ - x, x - (x0_ + columns_ * cell_), 0.0}),
                                    std::max({y0_ - y, y - (y0_ + rows_ * cell_), 0.0}));
  Nearest best{std::numeric_limits<double>::infinity(), 0.0};
  // Rings of cells around the point's cell, until no farther ring can hold a
  // nearer triangle.
  for (int32_t ring = 0; ring <= std::max(columns_, rows_); ++ring) {
    for (int32_t j = cy - ring; j <= cy + ring; ++j) {
      if (j < 0 || j >= rows_) continue;
      const bool edgeRow = j == cy - ring || j == cy + ring;
      for (int32_t i = cx - ring; i <= cx + ring; i += edgeRow ? 1 : 2 * std::max(ring, 1)) {
        if (i < 0 || i >= columns_) continue;
        const auto cell = static_cast<std::size_t>(j) * columns_ + i;
        for (int32_t k = cellStart_[cell]; k < cellStart_[cell + 1]; ++k) {
          best = Nearer(best, static_cast<std::size_t>(cellTriangles_[static_cast<std::size_t>(k)]), x, y);
          if (best.distanceSquared == 0.0) return best.value;
        }
      }
    }
    const double reach = std::max(outside, ring * cell_);
    if (best.distanceSquared <= reach * reach) break;
  }
  return best.value;
}

}  // namespace trivane
