#pragma once
// An element as the screen shows it. A three-node triangle is the triangle
// through its corners. A six-node triangle's side is the parabola its shape
// functions trace through the side's three nodes; it is drawn as a polyline
// of points on that parabola, and the element's inside is painted in pieces:
// the triangles of a regular subdivision of the reference triangle, mapped
// onto the element.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "display/canvas.h"
#include "display/mesh.h"
#include "display/view.h"
#include "model/model.h"

namespace trivane {

// A point of a triangle by its area coordinates L1, L2, L3: the reference
// point xi = L2, eta = L3.
using AreaPoint = std::array<double, 3>;

// A triangle of pixels and the points of the element its corners show.
struct ScreenPiece {
  std::array<Pixel, 3> corner;
  std::array<AreaPoint, 3> at;
};

// Segments of parameter length h along a parabola stray from it by its
// middle node's offset from the chord times h squared. A side is drawn with
// one segment (its chord) where its middle node lies within half a pixel of
// the chord's middle: straight sides, and every side far out, cost nothing.
// Otherwise with the smallest even count that keeps every segment within half
// a pixel of the curve, even so that the middle node is a point of the
// polyline, at most MaxSideSegments (reached only zoomed in so far that the
// side runs far off the screen).
constexpr int32_t MaxSideSegments = 64;
int32_t SideSegments(double middleOffsetPixels);

class ScreenElement {
 public:
  // Takes the element's nodes where they are drawn (at positions, else at
  // their coordinates). False, and nothing to draw, when a node lies outside
  // the node table or the positions.
  bool Place(const Model& model, const Element& element, const ViewTransform& view, NodePositions positions = {});

  // The closed outline: the corners in order, each curved side's polyline
  // points between its two corners. Traced on first asking.
  std::span<const Pixel> Outline();
  // The corners on the screen, before and after rounding to pixels.
  const std::array<NodePosition, 3>& CornerPositions() const { return corners_; }
  const std::array<Pixel, 3>& CornerPixels() const { return cornerPixels_; }
  const FiniteElement& Type() const { return *type_; }

  // Whether the element may reach into a width x height surface: the box of
  // its corners and of each curved side's control point (the parabola lies
  // in the triangle of its ends and that point). An element that does not is
  // not worth tracing.
  bool Touches(int32_t width, int32_t height) const;

  // Pieces that cover the element: the corner triangle alone where no side
  // is subdivided, else the subdivision as fine as the finest side, whose
  // points on a coarser side move to that side's own polyline points. Two
  // elements sharing a side thus meet on the same pixels, and painted pixel
  // by pixel they leave no gap between them.
  std::span<const ScreenPiece> Pieces();

 private:
  // A side's polyline from its first to its second corner: pixels and the
  // element points they show.
  struct SideLine {
    std::vector<Pixel> pixel;
    std::vector<AreaPoint> at;
  };
  void Trace();
  void TraceSide(int32_t s, int32_t n);
  Pixel ToScreen(const AreaPoint& p) const;

  const FiniteElement* type_ = nullptr;
  const ViewTransform* view_ = nullptr;
  std::array<NodePosition, MaxElementNodes> at_{};
  std::size_t count_ = 0;
  std::array<NodePosition, 3> corners_{};
  std::array<Pixel, 3> cornerPixels_{};
  int32_t finest_ = 1;
  std::array<int32_t, 3> segments_{};
  Pixel boxMin_{}, boxMax_{};
  bool traced_ = false;
  std::array<SideLine, 3> sides_;
  std::vector<Pixel> outline_;
  std::vector<ScreenPiece> pieces_;
};

// Whether a placed element keeps its outline: Outlined by its corners, and
// its outline's share within shareLimit (OutlineShareLimit).
bool ElementOutlined(const ScreenElement& shape, const ViewTransform& view, Outlines outlines, int32_t shareLimit);

}  // namespace trivane
