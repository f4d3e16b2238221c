#pragma once
// Image1: shows the top-left part of the canvas raster and passes mouse
// presses, moves and releases of the left button on to the command layer in
// its pixels. The wheel zooms about the pointer; a drag with the middle or
// right button, and the arrow keys, pan. Wheel turns and pan moves that arrive
// while a picture is being drawn are added up and drawn once, when the queue
// of events is empty again, so a fast wheel never falls behind.
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "display_qt/qt_canvas.h"

namespace trivane {

class DrawingSurface : public QWidget {
 public:
  using MouseHandler = std::function<void(int x, int y)>;
  using ZoomHandler = std::function<void(int x, int y, double factor)>;

  static constexpr int MinWidth = 64;
  static constexpr int MinHeight = 102;

  DrawingSurface(const QtCanvas& canvas, QWidget* parent);

  MouseHandler onMouseDown;
  MouseHandler onMouseMove;
  MouseHandler onMouseUp;
  ZoomHandler onZoom;   // factor > 1 magnifies, about the pixel (x, y)
  MouseHandler onPan;   // moves the picture by (x, y) pixels

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Flush();

  const QtCanvas& canvas_;
  QTimer flush_;
  int wheelDelta_ = 0;  // eighths of a degree, 120 a notch
  QPoint wheelAt_;
  QPoint pan_;
  bool panning_ = false;
  QPoint panFrom_;
};

}  // namespace trivane
