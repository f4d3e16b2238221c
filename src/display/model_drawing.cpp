#include "display/model_drawing.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "display/edge_loads.h"
#include "display/element_shape.h"
#include "display/glyphs.h"
#include "display/mesh.h"
#include "io/number_text.h"

namespace trivane {

namespace {
constexpr Rgb White{255, 255, 255};
constexpr Rgb Grey{150, 150, 150};
constexpr Rgb Yellow{255, 255, 0};

// Muted tints of the grey's brightness, far enough apart in hue to tell
// neighbouring regions apart, dark enough for the white outlines and the
// glyphs on top to stand out. More regions than tints repeat them.
constexpr Rgb RegionTints[] = {{110, 150, 200}, {200, 140, 100}, {120, 180, 120}, {190, 120, 170},
                               {180, 175, 95},  {95, 175, 175},  {160, 130, 210}, {210, 120, 120}};
// Marks cover 3 x 3 pixels; an element owns about two of the marks on its
// nodes, which this area keeps to under a tenth of it.
constexpr double MinMarkedArea = 200.0;

// A six-node triangle's node in the middle of a straight side is no corner of
// the drawing and would not show: every node of such an element is marked
// alike, corners and middles, where the element is large enough on the screen
// for the marks to leave its fill to be seen.
void DrawNodeMarks(Canvas& canvas, const Model& model, const ViewTransform& view, NodePositions positions) {
  canvas.SetPenColour(White);
  canvas.SetBrushColour(White);
  canvas.SetBrushStyle(BrushStyle::Solid);
  ScreenElement shape;
  for (int32_t e = 1; e <= ElementsToDraw(model); ++e) {
    if (!shape.Place(model, model.elements[e], view, positions) || !shape.Touches(canvas.Width(), canvas.Height()))
      continue;
    const std::array<Pixel, 3>& c = shape.CornerPixels();
    const double twiceArea =
        std::fabs((double(c[1].x) - c[0].x) * (double(c[2].y) - c[0].y) - (double(c[1].y) - c[0].y) * (double(c[2].x) - c[0].x));
    if (twiceArea < 2 * MinMarkedArea) continue;
    for (const int32_t n : model.elements[e].Nodes()) {
      const NodePosition at = PositionOf(model, positions, n);
      const Pixel p = ToPixel(view, at.x, at.y);
      canvas.Rectangle(p.x - 1, p.y - 1, p.x + 2, p.y + 2);
    }
  }
}

}  // namespace

std::vector<Rgb> ElementFills(const Model& model) {
  std::vector<Rgb> fills;
  int32_t region = 0;
  for (const Group& group : model.conditions.groups) {
    if (group.kind != GroupKind::Region) continue;
    if (fills.empty()) fills.assign(static_cast<size_t>(std::max(model.elementCount, 0)), Grey);
    const Rgb tint = RegionTints[region++ % std::size(RegionTints)];
    for (const int32_t e : group.elements) {
      if (e >= 1 && e <= model.elementCount) fills[static_cast<size_t>(e - 1)] = tint;
    }
  }
  return fills;
}

void DrawModel(Canvas& canvas, const Model& model, ViewTransform& view, CountSink* counts, Outlines outlines,
               NodePositions positions) {
  if (counts) counts->ShowCounts(model.nodeCount, model.elementCount);
  canvas.SetPenWidth(1);
  UpdateView(view, model.bounds, canvas.Width(), canvas.Height());
  ClearPicture(canvas);

  canvas.SetPenColour(White);
  canvas.SetBrushStyle(BrushStyle::Solid);
  canvas.SetBrushColour(Grey);
  const std::vector<Rgb> fills = ElementFills(model);
  for (int32_t e = 1; e <= ElementsToDraw(model); ++e) {
    if (!fills.empty()) canvas.SetBrushColour(fills[static_cast<size_t>(e - 1)]);
    DrawElement(canvas, model, model.elements[e], view, outlines, White, positions);
  }
  if (ElementTypeOf(model).NodeCount() > 3) DrawNodeMarks(canvas, model, view, positions);
  DrawEdgeLoads(canvas, model, view, positions);

  LabelSpace labels;
  for (int32_t i = 1; i <= NodesToDraw(model); ++i) {
    const Node& node = model.nodes[i];
    const NodePosition at = PositionOf(model, positions, i);
    const Pixel p = ToPixel(view, at.x, at.y);
    if (node.load != 0.0) DrawLoadArrow(canvas, p.x, p.y, node.loadAngle, FormatGeneral(node.load), &labels);
    if (node.restraint == FixedY || node.restraint == FixedX) DrawOneWaySupport(canvas, p.x, p.y, node.orientation);
    if (node.restraint == FixedXY) DrawTwoWaySupport(canvas, p.x, p.y, node.orientation);
  }
}

void DrawSelectionMarkers(Canvas& canvas, const Model& model, const Selection& selection,
                          const ViewTransform& view, NodePositions positions) {
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
    if (!positions.empty() && static_cast<size_t>(number) > positions.size()) continue;
    const NodePosition at = PositionOf(model, positions, number);
    const Pixel p = ToPixel(view, at.x, at.y);
    // Zoomed in, most of a large selection lies off the surface.
    if (p.x + 5 <= 0 || p.y + 5 <= 0 || p.x - 5 >= canvas.Width() || p.y - 5 >= canvas.Height()) continue;
    canvas.Ellipse(p.x - 5, p.y - 5, p.x + 5, p.y + 5);
  }
}

}  // namespace trivane
