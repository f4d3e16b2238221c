#include "display/model_drawing.h"

#include <algorithm>

#include "display/glyphs.h"
#include "display/mesh.h"
#include "io/number_text.h"

namespace trivane {

namespace {
constexpr Rgb White{255, 255, 255};
constexpr Rgb Grey{150, 150, 150};
constexpr Rgb Yellow{255, 255, 0};
}  // namespace

void DrawModel(Canvas& canvas, const Model& model, ViewTransform& view, CountSink* counts,
               NodePositions positions) {
  if (counts) counts->ShowCounts(model.nodeCount, model.elementCount);
  canvas.SetPenWidth(1);
  FitView(view, model.bounds, canvas.Width(), canvas.Height());
  ClearPicture(canvas);

  canvas.SetPenColour(White);
  canvas.SetBrushStyle(BrushStyle::Solid);
  canvas.SetBrushColour(Grey);
  for (int32_t e = 1; e <= ElementsToDraw(model); ++e) DrawElement(canvas, model, model.elements[e], view, positions);

  for (int32_t i = 1; i <= NodesToDraw(model); ++i) {
    const Node& node = model.nodes[i];
    const NodePosition at = PositionOf(model, positions, i);
    const Pixel p = ToPixel(view, at.x, at.y);
    if (node.load != 0.0) DrawLoadArrow(canvas, p.x, p.y, node.loadAngle, FormatGeneral(node.load));
    if (node.restraint == FixedY || node.restraint == FixedX) DrawOneWaySupport(canvas, p.x, p.y, node.orientation);
    if (node.restraint == FixedXY) DrawTwoWaySupport(canvas, p.x, p.y, node.orientation);
  }
}

void DrawSelectionMarkers(Canvas& canvas, const Model& model, const Selection& selection,
                          const ViewTransform& view) {
  canvas.SetPenWidth(1);
  canvas.SetPenMode(PenMode::Copy);
  canvas.SetPenStyle(PenStyle::Solid);
  canvas.SetBrushStyle(BrushStyle::Solid);
  canvas.SetPenColour(Yellow);
  canvas.SetBrushColour(Yellow);
  const int32_t count = std::clamp(selection.count, 0, MaxNodes);
  for (int32_t k = 1; k <= count; ++k) {
    const int32_t number = selection.nodes[k];
    if (number < 1 || number > MaxNodes) continue;
    const Pixel p = ToPixel(view, model.nodes[number].x, model.nodes[number].y);
    canvas.Ellipse(p.x - 5, p.y - 5, p.x + 5, p.y + 5);
  }
}

}  // namespace trivane
