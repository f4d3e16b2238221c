#pragma once
// Pieces shared by the model redraw and the stress plot.
#include <cstdint>

#include "display/canvas.h"
#include "display/view.h"
#include "model/model.h"

namespace trivane {

// Black over the whole visible surface, leaving pen mode copy and style solid.
void ClearPicture(Canvas& canvas);

// The filled triangle through the element's corners, in their order, with the
// attributes in force. An element with a corner outside the node table is
// skipped (returns false).
bool DrawElement(Canvas& canvas, const Model& model, const Element& element, const ViewTransform& view);

// The counts the drawing loops run to, kept within the tables.
int32_t NodesToDraw(const Model& model);
int32_t ElementsToDraw(const Model& model);

}  // namespace trivane
