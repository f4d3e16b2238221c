#pragma once
// Where an end of a 路径图 line picked on the drawing lands. Pixels are whole,
// so a click meant for a boundary lands up to half a pixel off it, often just
// outside the mesh, and a line along the boundary then misses every element.
#include "analysis/recovery/line_samples.h"
#include "display/view.h"
#include "model/model.h"

namespace trivane {

// The model point for a click at pixel (x, y): the nearest node within
// ProbeRadius pixels (of nodes equally near, the first), else the nearest point
// of a boundary edge within it, else the point clicked. The view's scale must
// not be 0.
LinePoint SnapLineEnd(const Model& model, const ViewTransform& view, int x, int y);

}  // namespace trivane
