#include "ui/drawing_surface.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "app/session.h"

namespace trivane {
namespace {

void Forward(const DrawingSurface::MouseHandler& handler, QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (handler) handler(p.x(), p.y());
}

bool PanButton(Qt::MouseButton button) { return button == Qt::MiddleButton || button == Qt::RightButton; }

}  // namespace

DrawingSurface::DrawingSurface(const QtCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
  setObjectName("Image1");
  setMinimumSize(MinWidth, MinHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // A press takes the focus from the edit fields, so that the menu's Ctrl+A to
  // Ctrl+D then act on the selection rather than on a field's text.
  setFocusPolicy(Qt::ClickFocus);
  flush_.setSingleShot(true);
  flush_.setInterval(0);
  connect(&flush_, &QTimer::timeout, this, [this] { Flush(); });
}

void DrawingSurface::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), canvas_.Image(), event->rect());
}

void DrawingSurface::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (PanButton(event->button())) {
    panning_ = true;
    panFrom_ = event->position().toPoint();
    return;
  }
  if (event->button() == Qt::LeftButton) Forward(onMouseDown, event);
}

void DrawingSurface::mouseMoveEvent(QMouseEvent* event) {
  if (panning_) {
    const QPoint at = event->position().toPoint();
    pan_ += at - panFrom_;
    panFrom_ = at;
    flush_.start();
    return;
  }
  Forward(onMouseMove, event);
}

void DrawingSurface::mouseReleaseEvent(QMouseEvent* event) {
  if (PanButton(event->button())) {
    panning_ = false;
    return;
  }
  if (event->button() == Qt::LeftButton) Forward(onMouseUp, event);
}

void DrawingSurface::wheelEvent(QWheelEvent* event) {
  wheelDelta_ += event->angleDelta().y();
  wheelAt_ = event->position().toPoint();
  event->accept();
  flush_.start();
}

// The arrows move the picture by an eighth of the surface.
void DrawingSurface::keyPressEvent(QKeyEvent* event) {
  const int dx = std::max(width() / 8, 1), dy = std::max(height() / 8, 1);
  switch (event->key()) {
    case Qt::Key_Left: pan_ += QPoint(dx, 0); break;
    case Qt::Key_Right: pan_ += QPoint(-dx, 0); break;
    case Qt::Key_Up: pan_ += QPoint(0, dy); break;
    case Qt::Key_Down: pan_ += QPoint(0, -dy); break;
    default: return QWidget::keyPressEvent(event);
  }
  flush_.start();
}

void DrawingSurface::Flush() {
  const QPoint pan = std::exchange(pan_, QPoint());
  const int delta = std::exchange(wheelDelta_, 0);
  if (!pan.isNull() && onPan) onPan(pan.x(), pan.y());
  if (delta != 0 && onZoom) onZoom(wheelAt_.x(), wheelAt_.y(), std::pow(ZoomStep, delta / 120.0));
}

}  // namespace trivane
