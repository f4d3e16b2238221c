#include "ui/drawing_surface.h"

#include <QMouseEvent>
#include <QPainter>

namespace trivane {
namespace {

void Forward(const DrawingSurface::MouseHandler& handler, QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (handler) handler(p.x(), p.y());
}

}  // namespace

DrawingSurface::DrawingSurface(const QtCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
  setObjectName("Image1");
  setMinimumSize(MinWidth, MinHeight);
  setMaximumSize(MaxWidth, MaxHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // A press takes the focus from the edit fields, so that the menu's Ctrl+A to
  // Ctrl+D then act on the selection rather than on a field's text.
  setFocusPolicy(Qt::ClickFocus);
}

void DrawingSurface::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), canvas_.Image(), event->rect());
}

void DrawingSurface::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  Forward(onMouseDown, event);
}
void DrawingSurface::mouseMoveEvent(QMouseEvent* event) { Forward(onMouseMove, event); }
void DrawingSurface::mouseReleaseEvent(QMouseEvent* event) { Forward(onMouseUp, event); }

}  // namespace trivane
