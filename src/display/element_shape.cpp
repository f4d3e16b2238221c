#include "display/element_shape.h"

#include <algorithm>
#include <cmath>

namespace trivane {

int32_t SideSegments(double middleOffsetPixels) {
  if (!(middleOffsetPixels > 0.5)) return 1;
  // n segments stray by offset / n^2: n = 2k with 4 k^2 >= 2 offset.
  const double half = std::ceil(std::sqrt(std::fmin(middleOffsetPixels, 1e12) / 2));
  return static_cast<int32_t>(std::fmin(2 * half, MaxSideSegments));
}

bool ScreenElement::Place(const Model& model, const Element& element, const ViewTransform& view,
                          NodePositions positions) {
  type_ = &ElementTypeOf(model);
  view_ = &view;
  count_ = static_cast<std::size_t>(type_->NodeCount());
  outline_.clear();
  pieces_.clear();
  traced_ = false;
  finest_ = 1;
  for (std::size_t k = 0; k < count_; ++k) {
    const int32_t n = element.node[k];
    if (n < 1 || n > MaxNodes) return false;
    if (!positions.empty() && static_cast<std::size_t>(n) > positions.size()) return false;
    at_[k] = PositionOf(model, positions, n);
  }
  for (std::size_t k = 0; k < 3; ++k) {
    corners_[k] = at_[k];
    cornerPixels_[k] = ToPixel(view, at_[k].x, at_[k].y);
  }
  boxMin_ = boxMax_ = cornerPixels_[0];
  const auto widen = [this](Pixel p) {
    boxMin_ = {std::min(boxMin_.x, p.x), std::min(boxMin_.y, p.y)};
    boxMax_ = {std::max(boxMax_.x, p.x), std::max(boxMax_.y, p.y)};
  };
  for (const Pixel& p : cornerPixels_) widen(p);
  for (int32_t s = 0; s < 3; ++s) {
    const std::span<const int32_t> side = type_->SideNodes(s);
    int32_t n = 1;
    if (side.size() == 3) {
      const NodePosition a = at_[static_cast<std::size_t>(side[0])], b = at_[static_cast<std::size_t>(side[1])];
      const NodePosition middle = at_[static_cast<std::size_t>(side[2])];
      n = SideSegments(std::hypot(middle.x - (a.x + b.x) / 2, middle.y - (a.y + b.y) / 2) * view.scale);
      if (n > 1) widen(ToPixel(view, 2 * middle.x - (a.x + b.x) / 2, 2 * middle.y - (a.y + b.y) / 2));
    }
    segments_[static_cast<std::size_t>(s)] = n;
    finest_ = std::max(finest_, n);
  }
  return true;
}

bool ScreenElement::Touches(int32_t width, int32_t height) const {
  return boxMax_.x >= 0 && boxMax_.y >= 0 && boxMin_.x < width && boxMin_.y < height;
}

std::span<const Pixel> ScreenElement::Outline() {
  if (finest_ == 1) return cornerPixels_;
  if (!traced_) Trace();
  return outline_;
}

void ScreenElement::Trace() {
  traced_ = true;
  for (int32_t s = 0; s < 3; ++s) {
    TraceSide(s, segments_[static_cast<std::size_t>(s)]);
    outline_.insert(outline_.end(), sides_[static_cast<std::size_t>(s)].pixel.begin(),
                    sides_[static_cast<std::size_t>(s)].pixel.end() - 1);
  }
}

// The points are formed from the side's three nodes alone, the two ends'
// terms summed first: from either end the sum is the same, so the two
// elements sharing a side put its points on the same pixels.
void ScreenElement::TraceSide(int32_t s, int32_t n) {
  const std::span<const int32_t> side = type_->SideNodes(s);
  const auto from = static_cast<std::size_t>(side[0]), to = static_cast<std::size_t>(side[1]);
  SideLine& line = sides_[static_cast<std::size_t>(s)];
  line.pixel.assign(static_cast<std::size_t>(n) + 1, {});
  line.at.assign(static_cast<std::size_t>(n) + 1, {});
  line.pixel.front() = cornerPixels_[from];
  line.pixel.back() = cornerPixels_[to];
  const NodePosition a = at_[from], b = at_[to];
  const NodePosition middle = side.size() == 3 ? at_[static_cast<std::size_t>(side[2])] : NodePosition{};
  const auto nn = static_cast<double>(int64_t{n} * n);
  for (int64_t q = 0; q <= n; ++q) {
    AreaPoint& p = line.at[static_cast<std::size_t>(q)];
    p[from] = static_cast<double>(n - q) / n;
    p[to] = static_cast<double>(q) / n;
    if (q == 0 || q == n) continue;
    // The quadratic through a, middle and b at q / n from a.
    const double wa = static_cast<double>((n - q) * (n - 2 * q)) / nn;
    const double wm = static_cast<double>(4 * q * (n - q)) / nn;
    const double wb = static_cast<double>(q * (2 * q - n)) / nn;
    line.pixel[static_cast<std::size_t>(q)] =
        ToPixel(*view_, wm * middle.x + (wa * a.x + wb * b.x), wm * middle.y + (wa * a.y + wb * b.y));
  }
}

Pixel ScreenElement::ToScreen(const AreaPoint& p) const {
  const ShapeValues n = type_->N({p[1], p[2]});
  double x = n[0] * at_[0].x, y = n[0] * at_[0].y;
  for (std::size_t k = 1; k < count_; ++k) {
    x += n[k] * at_[k].x;
    y += n[k] * at_[k].y;
  }
  return ToPixel(*view_, x, y);
}

std::span<const ScreenPiece> ScreenElement::Pieces() {
  if (!pieces_.empty()) return pieces_;
  if (finest_ == 1) {
    pieces_.push_back({cornerPixels_, {AreaPoint{1, 0, 0}, AreaPoint{0, 1, 0}, AreaPoint{0, 0, 1}}});
    return pieces_;
  }
  if (!traced_) Trace();
  // The grid points (i, j) at L2 = i / n, L3 = j / n, row j holding n + 1 - j
  // of them, mapped onto the element.
  const int32_t n = finest_;
  const auto index = [n](int32_t i, int32_t j) { return static_cast<std::size_t>(j * (n + 1) - j * (j - 1) / 2 + i); };
  std::vector<Pixel> pixel(index(0, n) + 1);
  std::vector<AreaPoint> at(pixel.size());
  for (int32_t j = 0; j <= n; ++j) {
    for (int32_t i = 0; i + j <= n; ++i) {
      const std::size_t k = index(i, j);
      at[k] = {static_cast<double>(n - i - j) / n, static_cast<double>(i) / n, static_cast<double>(j) / n};
      pixel[k] = ToScreen(at[k]);
    }
  }
  // A side's grid points take its polyline's: point k of n goes to the
  // nearest of its own m, so each grid edge along the side either shrinks to
  // a point (a piece with no area, left out) or becomes one of its segments.
  for (int32_t s = 0; s < 3; ++s) {
    const std::span<const int32_t> side = type_->SideNodes(s);
    const SideLine& line = sides_[static_cast<std::size_t>(s)];
    const auto m = static_cast<int32_t>(line.pixel.size()) - 1;
    for (int32_t k = 0; k <= n; ++k) {
      // Grid point k from the side's first corner: L of the first is (n - k) / n, of the second k / n.
      std::array<int32_t, 3> l{};
      l[static_cast<std::size_t>(side[0])] = n - k;
      l[static_cast<std::size_t>(side[1])] = k;
      const std::size_t g = index(l[1], l[2]);
      const auto q = static_cast<std::size_t>((2 * k * m + n) / (2 * n));
      pixel[g] = line.pixel[q];
      at[g] = line.at[q];
    }
  }
  const auto piece = [&](std::size_t a, std::size_t b, std::size_t c) {
    pieces_.push_back({{pixel[a], pixel[b], pixel[c]}, {at[a], at[b], at[c]}});
  };
  for (int32_t j = 0; j < n; ++j) {
    for (int32_t i = 0; i + j < n; ++i) {
      piece(index(i, j), index(i + 1, j), index(i, j + 1));
      if (i + j + 1 < n) piece(index(i + 1, j), index(i + 1, j + 1), index(i, j + 1));
    }
  }
  return pieces_;
}

}  // namespace trivane
