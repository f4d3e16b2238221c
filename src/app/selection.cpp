// The rubber band: a press starts it, moves redraw it inverted, the release
// selects the nodes whose image points lie inside.
#include <algorithm>

#include "app/session.h"

namespace trivane {
namespace {

void SetBandPen(Canvas& canvas) {
  canvas.SetPenMode(PenMode::Invert);
  canvas.SetPenWidth(1);
  canvas.SetPenStyle(PenStyle::Dashed);
  canvas.SetBrushStyle(BrushStyle::Hollow);
}

}  // namespace

void Session::MouseDown(int x, int y) {
  band_.dragging = -1;
  selection_ = Selection{};
  DrawSelectionMarkers(canvas_, *model_, selection_, view_);
  Redraw();
  band_.bandX1 = band_.bandX2 = x;
  band_.bandY1 = band_.bandY2 = y;
}

void Session::MouseMove(int x, int y) {
  if (band_.dragging == 0) return;
  SetBandPen(canvas_);
  // Inverting the old band a second time removes it.
  canvas_.Rectangle(band_.bandX1, band_.bandY1, band_.bandX2, band_.bandY2);
  band_.bandX2 = x;
  band_.bandY2 = y;
  canvas_.Rectangle(band_.bandX1, band_.bandY1, band_.bandX2, band_.bandY2);
}

// The left and top edges belong to the band, the right and bottom edges do not.
void Session::MouseUp(int x, int y) {
  if (band_.dragging == 0) return;
  view_.halfWidth = canvas_.Width() / 2;
  view_.halfHeight = canvas_.Height() / 2;
  band_.bandX2 = std::max(band_.bandX1, x);
  band_.bandY2 = std::max(band_.bandY1, y);
  band_.bandX1 = std::min(band_.bandX1, x);
  band_.bandY1 = std::min(band_.bandY1, y);
  canvas_.SetPenMode(PenMode::Invert);
  canvas_.SetPenStyle(PenStyle::Dashed);
  canvas_.Rectangle(band_.bandX1, band_.bandY1, band_.bandX2, band_.bandY2);
  for (int32_t k = 1; k <= model_->nodeCount; ++k) {
    const Pixel p = ToPixel(view_, model_->nodes[k].x, model_->nodes[k].y);
    if (band_.bandX1 <= p.x && p.x < band_.bandX2 && band_.bandY1 <= p.y && p.y < band_.bandY2) {
      selection_.nodes[++selection_.count] = k;
    }
  }
  band_.dragging = 0;
  DrawSelectionMarkers(canvas_, *model_, selection_, view_);
}

}  // namespace trivane
