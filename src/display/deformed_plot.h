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

// displacements[d - 1] is degree of freedom d: node i's x displacement is
// entry 2i - 2, its y displacement 2i - 1; entries past the span count as 0.
// Throws Error(DivisionByZero) before anything moves or is drawn when there is
// at least one node and every displacement is zero. model comes back
// bit-for-bit as it was, also if drawing fails. Returns the magnification: the
// model length drawn for a unit of displacement.
double DrawDeformedShape(Canvas& canvas, Model& model, NodeBackup& backup,
                       std::span<const double> displacements, ViewTransform& view,
                       CountSink* counts);

}  // namespace trivane
