#pragma once
// The full redraw of the model: black background, grey triangles with white
// outlines, then every node's load arrow and support symbol on top.
#include <cstdint>
#include <vector>

#include "display/canvas.h"
#include "display/mesh.h"
#include "display/view.h"
#include "model/model.h"

namespace trivane {

// Receives the node and element counts that a redraw shows in the status bar.
class CountSink {
 public:
  virtual ~CountSink() = default;
  virtual void ShowCounts(int32_t nodeCount, int32_t elementCount) = 0;
};

// Refits a fitted view to the model's bounds and the canvas size (a zoomed
// one only takes the size), then draws: elements, in a six-node model a
// white mark on every node of the elements large enough to show them, the
// edge loads' diagrams, then the nodes' arrows and symbols. A load label that would overlap one
// drawn before is left out. counts may be null.
// With positions (one per node), every node, its element corners and its
// glyphs are drawn there instead of at its coordinates.
void DrawModel(Canvas& canvas, const Model& model, ViewTransform& view, CountSink* counts,
               Outlines outlines = Outlines::Auto, NodePositions positions = {});

// The fill of every element (entry e - 1) in the model view: the grey of a
// model without regions, each region in a tint of its own. Empty when the
// model has no region: every element is grey.
std::vector<Rgb> ElementFills(const Model& model);

// A yellow disc on every selected node, with the view as it stands (no fit);
// with positions, where the nodes are drawn (see NodePosition).
void DrawSelectionMarkers(Canvas& canvas, const Model& model, const Selection& selection,
                          const ViewTransform& view, NodePositions positions = {});

}  // namespace trivane
