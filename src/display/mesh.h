#pragma once
// Pieces shared by the model redraw and the stress plot.
#include <cstdint>
#include <limits>
#include <span>

#include "display/canvas.h"
#include "display/view.h"
#include "model/model.h"

namespace trivane {

// Black over the whole visible surface, leaving pen mode copy and style solid.
void ClearPicture(Canvas& canvas);

// Which elements keep their white outline. On a fine mesh, or zoomed far out,
// a one-pixel outline on every side covers the whole of a small triangle and
// the picture turns white; Auto outlines only the elements large enough on
// the screen to show their fill inside the outline.
enum class Outlines { Auto, On, Off };

// Auto's rule: an element is outlined when its area on the screen (of the
// triangle through its drawn corners) is at least this many square pixels.
// Below it a one-pixel outline round the triangle covers nearly all of it. An
// area rather than a height: a long sliver, as on a curved face, stays
// outlined, and so every element of the example models at 1024 x 640 keeps
// its outline, also in their deformed shapes, while a mesh with rows of nodes
// under 3 pixels apart shows its colours.
constexpr double MinOutlinedArea = 6.0;
bool Outlined(Outlines outlines, const Pixel& a, const Pixel& b, const Pixel& c);

// On a colour plot Auto also keeps the outlines from washing out the colours.
// An element's outline covers about half its perimeter in pixels (each side
// is shared, and a line covers one pixel per step along its longer axis);
// its share is that over its area. Where the outlines of the elements above
// MinOutlinedArea would cover more than MaxOutlineShare of all elements on
// the screen, those of the largest share lose theirs first, until the rest
// cover at most that. Shares are compared in levels (OutlineShareLevel), so
// that elements of one shape and size keep or lose their outlines together.
// Returns the highest level that keeps its outline: AllOutlines where every
// element keeps it, as on the example models at 1024 x 640, whose outlines
// cover under a fifth.
constexpr double MaxOutlineShare = 0.2;
constexpr int32_t AllOutlines = std::numeric_limits<int32_t>::max();
int32_t OutlineShareLimit(const Model& model, const ViewTransform& view, int32_t width, int32_t height,
                          Outlines outlines);

// Where the nodes are drawn: entry [i - 1] is node i. An empty span draws every
// node at its own coordinates.
struct NodePosition {
  double x = 0.0;
  double y = 0.0;
};
using NodePositions = std::span<const NodePosition>;

// Node i's drawn position.
inline NodePosition PositionOf(const Model& model, NodePositions positions, int32_t node) {
  if (positions.empty()) return {model.nodes[node].x, model.nodes[node].y};
  return positions[static_cast<std::size_t>(node - 1)];
}

// The filled element, its curved sides drawn as polylines (ScreenElement),
// with the brush in force and an outline in outlineColour, or, where outlines
// leave the element out, in its fill colour, so that neighbours still meet
// without a gap. With positions, its nodes are drawn there (see NodePosition).
// An element with a node outside the node table (or the positions) is
// skipped (returns false).
bool DrawElement(Canvas& canvas, const Model& model, const Element& element, const ViewTransform& view,
                 Outlines outlines = Outlines::On, Rgb outlineColour = {255, 255, 255}, NodePositions positions = {},
                 int32_t shareLimit = AllOutlines);

// Results that cover the model: 2 displacements per node, one value per
// element. Anything shorter belongs to another model; throws Error(ComputeFirst).
void RequireNodeResults(const Model& model, std::span<const double> displacements);
void RequireElementResults(const Model& model, std::span<const double> values);

// The counts the drawing loops run to, kept within the tables.
int32_t NodesToDraw(const Model& model);
int32_t ElementsToDraw(const Model& model);

}  // namespace trivane
