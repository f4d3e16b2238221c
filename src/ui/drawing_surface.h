#pragma once
// Image1: shows the top-left part of the canvas raster and passes mouse
// presses, moves and releases on to the command layer in its pixels.
#include <QWidget>
#include <functional>

#include "display_qt/qt_canvas.h"

namespace trivane {

class DrawingSurface : public QWidget {
 public:
  using MouseHandler = std::function<void(int x, int y)>;

  static constexpr int MaxWidth = 1024;
  static constexpr int MaxHeight = 640;
  static constexpr int MinWidth = 64;
  static constexpr int MinHeight = 102;

  DrawingSurface(const QtCanvas& canvas, QWidget* parent);

  MouseHandler onMouseDown;
  MouseHandler onMouseMove;
  MouseHandler onMouseUp;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const QtCanvas& canvas_;
};

}  // namespace trivane
