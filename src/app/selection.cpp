// The rubber band: a press starts it, moves redraw it inverted, the release
// selects the nodes whose image points lie inside, or adds them to the
// selection, or removes them from it.
#include <algorithm>
#include <iterator>

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

// A band that adds or removes starts from the selection as it is, and shows it.
void Session::MouseDown(int x, int y, SelectionMode mode) {
  band_.dragging = -1;
  bandMode_ = mode;
  if (mode == SelectionMode::Replace) {
    selection_ = Selection{};
    DrawSelectionMarkers(canvas_, *model_, selection_, view_);
  }
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
  std::vector<int32_t> inside;
  for (int32_t k = 1; k <= model_->nodeCount; ++k) {
    const Pixel p = ToPixel(view_, model_->nodes[k].x, model_->nodes[k].y);
    if (band_.bandX1 <= p.x && p.x < band_.bandX2 && band_.bandY1 <= p.y && p.y < band_.bandY2) {
      inside.push_back(k);
    }
  }
  band_.dragging = 0;
  if (bandMode_ == SelectionMode::Replace) {
    Select(inside);
    DrawSelectionMarkers(canvas_, *model_, selection_, view_);
    return;
  }
  // Both lists ascend, and so does the result.
  const std::vector<int32_t> kept = SelectedNodes();
  std::vector<int32_t> selected;
  if (bandMode_ == SelectionMode::Add)
    std::set_union(kept.begin(), kept.end(), inside.begin(), inside.end(), std::back_inserter(selected));
  else
    std::set_difference(kept.begin(), kept.end(), inside.begin(), inside.end(), std::back_inserter(selected));
  Select(selected);
  Redraw();
}

void Session::SelectGroup(std::size_t index) {
  Select(GroupNodes(*model_, model_->conditions.groups.at(index)));
  Redraw();
}

}  // namespace trivane
