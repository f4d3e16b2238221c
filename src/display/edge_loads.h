#pragma once
// Distributed loads on boundary edges, drawn as the load diagram engineers
// sketch: arrows at points of the edge, their length following the local
// value, their tails joined by a line, so that a water face shows its
// triangle.
#include "display/canvas.h"
#include "display/mesh.h"
#include "display/view.h"
#include "model/model.h"

namespace trivane {

// The longest arrow, for the largest value among all edge loads, in pixels.
constexpr int32_t EdgeLoadLength = 40;
// Arrows closer than this to one drawn before are left out; the diagram's
// outline still runs along every loaded edge.
constexpr int32_t EdgeArrowSpacing = 14;

// Pressure (and water) arrows stand normal to the edge, pointing into the
// element beside it; traction arrows point in the traction's direction, their
// heads on the edge. Edges that are no element's side draw nothing. With
// positions (a deformed shape) the diagrams stand on the moved edges; the
// values stay those of the loads as given.
void DrawEdgeLoads(Canvas& canvas, const Model& model, const ViewTransform& view, NodePositions positions = {});

}  // namespace trivane
