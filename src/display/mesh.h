#pragma once
// Pieces shared by the model redraw and the stress plot.
#include <cstdint>
#include <span>

#include "display/canvas.h"
#include "display/view.h"
#include "model/model.h"

namespace trivane {

// Black over the whole visible surface, leaving pen mode copy and style solid.
void ClearPicture(Canvas& canvas);

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

// The filled triangle through the element's corners, in their order, with the
// attributes in force. An element with a corner outside the node table (or
// the positions) is skipped (returns false).
bool DrawElement(Canvas& canvas, const Model& model, const Element& element, const ViewTransform& view,
                 NodePositions positions = {});

// Results that cover the model: 2 displacements per node, one value per
// element. Anything shorter belongs to another model; throws Error(ComputeFirst).
void RequireNodeResults(const Model& model, std::span<const double> displacements);
void RequireElementResults(const Model& model, std::span<const double> values);

// The counts the drawing loops run to, kept within the tables.
int32_t NodesToDraw(const Model& model);
int32_t ElementsToDraw(const Model& model);

}  // namespace trivane
