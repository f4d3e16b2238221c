// Zoom, pan and fit: the view moves, the picture shown is drawn again in it.
#include "app/session.h"

namespace trivane {

// A stress or deformed plot stays that plot, and each keeps the markers of
// a kept selection.
void Session::RedrawShown() {
  switch (shown_.kind) {
    case PictureKind::Stress:
      return StressPlot(shown_.component);
    case PictureKind::Deformed:
      return DeformedPlot();
    case PictureKind::Model:
      return Redraw();
  }
}

void Session::ZoomAt(int x, int y, double factor) {
  if (view_.scale <= 0.0) UpdateView(view_, model_->bounds, canvas_.Width(), canvas_.Height());
  ZoomAbout(view_, model_->bounds, factor, x, y);
  RedrawShown();
}

void Session::Zoom(double factor) { ZoomAt(canvas_.Width() / 2, canvas_.Height() / 2, factor); }

void Session::Pan(int dx, int dy) {
  if (view_.scale <= 0.0) UpdateView(view_, model_->bounds, canvas_.Width(), canvas_.Height());
  PanBy(view_, dx, dy);
  RedrawShown();
}

void Session::FitWhole() {
  view_.fitted = true;
  RedrawShown();
}

}  // namespace trivane
