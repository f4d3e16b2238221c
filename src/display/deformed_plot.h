#pragma once
// The deformed shape: nodes moved by their displacements, amplified so that the
// largest component is 60 pixels long, drawn with the model redraw, then put
// back exactly as they were.
#include <span>
#include <vector>

#include "display/canvas.h"
#include "display/model_drawing.h"
#include "display/view.h"
#include "model/model.h"

namespace trivane {

struct SavedPosition {
  double x = 0.0;
  double y = 0.0;
};

// Node coordinates while the deformed picture is drawn; entry i is node i.
struct NodeBackup {
  std::vector<SavedPosition> entries;
};

// How the deformed picture is scaled: the largest displacement component
// (drawn 60 pixels long), the magnification of every displacement on the
// screen for a view scale in pixels per model unit, and the largest
// displacement's length and node.
struct DeformedScale {
  double largestComponent = 0.0;
  double magnification = 0.0;
  double largestDisplacement = 0.0;
  int32_t largestNode = 0;
};
DeformedScale DeformedScaleOf(const Model& model, std::span<const double> displacements, double viewScale);

// displacements[d - 1] is degree of freedom d: node i's x displacement is
// entry 2i - 2, its y displacement 2i - 1; entries past the span count as 0.
// Throws Error(DivisionByZero) before anything moves or is drawn when there is
// at least one node and every displacement is zero. model comes back
// bit-for-bit as it was, also if drawing fails.
void DrawDeformedShape(Canvas& canvas, Model& model, NodeBackup& backup,
                       std::span<const double> displacements, ViewTransform& view,
                       CountSink* counts, Outlines outlines = Outlines::Auto);

}  // namespace trivane
