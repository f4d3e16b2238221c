// Toolbar pictures are drawn with antialiasing; coordinates on .5 put
// one-pixel lines exactly on pixel rows.
#include "toolbar_icons.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "picture_kit.h"

namespace pictures {

namespace {

void FolderBack(QPainter& p) {
  p.setPen(Pen(FolderDark));
  p.setBrush(Folder.darker(115));
  p.drawPolygon(QPolygonF({{2.5, 6.5}, {9.5, 6.5}, {11.5, 8.5}, {21.5, 8.5}, {21.5, 21.5}, {2.5, 21.5}}));
}

void DrawImport(QPainter& p) {
  FolderBack(p);
  p.setBrush(Folder);
  p.drawRect(QRectF(2.5, 11.5, 19, 10));
  Arrow(p, {23.5, 2.5}, {12.5, 14.5}, Blue, 3.0);
}

void DrawOpen(QPainter& p) {
  FolderBack(p);
  p.setPen(Pen(Steel));
  p.setBrush(Paper);
  p.drawRect(QRectF(5.5, 3.5, 13, 12));
  p.setPen(Pen(FolderDark));
  p.setBrush(Folder);
  p.drawPolygon(QPolygonF({{5.5, 11.5}, {24.5, 11.5}, {20.5, 21.5}, {1.5, 21.5}}));
}

void DrawBin(QPainter& p) {
  p.setPen(Pen(Ink));
  p.setBrush(QColor(200, 206, 214));
  p.drawPolygon(QPolygonF({{6.5, 7.5}, {18.5, 7.5}, {17.5, 22.5}, {7.5, 22.5}}));
  p.drawRect(QRectF(4.5, 4.5, 16, 3));
  p.drawRect(QRectF(10.5, 2.5, 4, 2));
  p.setPen(Pen(Steel));
  for (double x : {9.5, 12.5, 15.5}) p.drawLine(QPointF(x, 10), QPointF(x, 20));
}

void DrawDiskette(QPainter& p) {
  p.setPen(Pen(Ink));
  p.setBrush(QColor(52, 84, 140));
  p.drawPolygon(QPolygonF({{3.5, 3.5}, {19.5, 3.5}, {21.5, 5.5}, {21.5, 21.5}, {3.5, 21.5}}));
  p.setBrush(QColor(210, 214, 220));
  p.drawRect(QRectF(7.5, 3.5, 10, 6));
  p.setBrush(Ink);
  p.drawRect(QRectF(14.5, 4.5, 2, 4));
  p.setBrush(Paper);
  p.drawRect(QRectF(6.5, 13.5, 12, 8));
  p.setPen(Pen(Steel));
  p.drawLine(QPointF(8, 16.5), QPointF(17, 16.5));
  p.drawLine(QPointF(8, 18.5), QPointF(17, 18.5));
}

void DrawHardHat(QPainter& p) {
  p.setPen(Pen(QColor(150, 110, 0)));
  p.setBrush(QColor(250, 196, 20));
  QPainterPath dome;
  dome.moveTo(5, 16.5);
  dome.cubicTo(5, 6, 20, 6, 20, 16.5);
  dome.closeSubpath();
  p.drawPath(dome);
  p.drawRoundedRect(QRectF(2.5, 16.5, 20, 3), 1.5, 1.5);
  p.setPen(Pen(QColor(150, 110, 0), 1.5));
  p.drawLine(QPointF(12.5, 7.5), QPointF(12.5, 15.5));
}

void DrawPointer(QPainter& p) {
  p.setPen(Pen(Ink));
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF({{7.5, 3.5}, {7.5, 19.5}, {11.5, 15.5}, {14.5, 22.5}, {17.5, 21.0}, {14.5, 14.5}, {19.5, 14.5}}));
}

void GroundLines(QPainter& p, double y, double x0, double x1) {
  p.setPen(Pen(Ground, 1.0));
  p.drawLine(QPointF(x0, y), QPointF(x1, y));
  for (double x = x0 + 1; x < x1; x += 3) p.drawLine(QPointF(x + 2.5, y + 0.5), QPointF(x, y + 3));
}

void Hinge(QPainter& p, QPointF c, double r) {
  p.setPen(Pen(Green.darker(130), 1.2));
  p.setBrush(Qt::white);
  p.drawEllipse(c, r, r);
}

void DrawOneWay(QPainter& p) {
  Hinge(p, {12.5, 5}, 2.5);
  p.setPen(Pen(Green.darker(130), 2.0));
  p.drawLine(QPointF(12.5, 7.5), QPointF(12.5, 13.5));
  Hinge(p, {12.5, 16}, 2.5);
  p.setPen(Pen(Ink, 1.5));
  p.drawLine(QPointF(4, 19.5), QPointF(21, 19.5));
  GroundLines(p, 20.5, 4, 21);
}

void DrawTwoWay(QPainter& p) {
  p.setPen(Pen(Green.darker(130), 1.5));
  p.setBrush(QColor(190, 230, 200));
  p.drawPolygon(QPolygonF({{12.5, 6}, {5.5, 18.5}, {19.5, 18.5}}));
  Hinge(p, {12.5, 6}, 2.5);
  p.setPen(Pen(Ink, 1.5));
  p.drawLine(QPointF(3, 19.5), QPointF(22, 19.5));
  GroundLines(p, 20.5, 3, 22);
}

void DrawColourGrid(QPainter& p) {
  const QColor cells[3][3] = {{Red, QColor(240, 160, 40), QColor(240, 220, 60)},
                              {QColor(240, 160, 40), QColor(120, 200, 80), QColor(60, 190, 200)},
                              {QColor(120, 200, 80), QColor(60, 190, 200), Blue}};
  p.setPen(Pen(Ink));
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      p.setBrush(cells[r][c]);
      p.drawRect(QRectF(3.5 + 6 * c, 3.5 + 6 * r, 6, 6));
    }
}

void DrawGreenCross(QPainter& p) {
  p.setPen(QPen(Green, 4.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6, 6), QPointF(19, 19));
  p.drawLine(QPointF(19, 6), QPointF(6, 19));
}

void DrawLoad(QPainter& p) {
  Arrow(p, {9.5, 2}, {9.5, 21}, Red, 3.5);
  p.setPen(Pen(Ink, 1.5));
  p.drawLine(QPointF(3, 22.5), QPointF(16, 22.5));
  QFont f("DejaVu Sans");
  f.setPixelSize(11);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Red.darker(120));
  p.drawText(QRectF(13, 2, 12, 12), Qt::AlignCenter, "P");
}

void DrawGradient(QPainter& p) {
  QLinearGradient g(0, 3, 0, 22);
  g.setColorAt(0.0, Red);
  g.setColorAt(0.25, QColor(250, 220, 40));
  g.setColorAt(0.5, QColor(60, 190, 80));
  g.setColorAt(0.75, QColor(40, 200, 220));
  g.setColorAt(1.0, Blue);
  p.setPen(Pen(Ink));
  p.setBrush(g);
  p.drawRect(QRectF(4.5, 3.5, 7, 19));
  p.setPen(Pen(Steel));
  for (int i = 0; i < 5; ++i) p.drawLine(QPointF(13, 4.5 + 4.5 * i), QPointF(15, 4.5 + 4.5 * i));
  p.setPen(Pen(Ink));
  p.drawLine(QPointF(16, 6.5), QPointF(21, 6.5));
  p.drawLine(QPointF(16, 19.5), QPointF(21, 19.5));
}

void DrawDeformed(QPainter& p) {
  p.setPen(QPen(Steel, 1.0, Qt::DotLine));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(2.5, 8.5, 20, 8));
  p.drawLine(QPointF(12.5, 8.5), QPointF(12.5, 16.5));
  // The same two panels bent downwards like a cantilever under an end load.
  const QPointF top[3] = {{2.5, 8.5}, {12.5, 10.0}, {22.5, 14.0}};
  const QPointF bottom[3] = {{2.5, 16.5}, {12.5, 18.0}, {22.5, 21.5}};
  p.setPen(Pen(Blue, 1.3));
  p.setBrush(QColor(150, 190, 240, 160));
  for (int i = 0; i < 2; ++i) p.drawPolygon(QPolygonF({top[i], top[i + 1], bottom[i + 1], bottom[i]}));
  p.drawLine(top[0], bottom[1]);
  p.drawLine(top[1], bottom[2]);
}

void DrawBook(QPainter& p) {
  p.setPen(Pen(Ink));
  p.setBrush(QColor(40, 110, 70));
  p.drawRect(QRectF(5.5, 2.5, 14, 20));
  p.setBrush(Paper);
  p.drawRect(QRectF(7.5, 19.5, 12, 3));
  p.setPen(Pen(QColor(30, 80, 50), 2));
  p.drawLine(QPointF(7, 2.5), QPointF(7, 19.5));
  QFont f("DejaVu Sans");
  f.setPixelSize(11);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(8, 3, 11, 15), Qt::AlignCenter, "?");
}

void DrawHandOnForm(QPainter& p) {
  p.setPen(Pen(Steel));
  p.setBrush(Paper);
  p.drawRect(QRectF(2.5, 2.5, 16, 19));
  p.setPen(Pen(Steel));
  for (double y : {6.5, 9.5, 12.5}) {
    p.drawLine(QPointF(4.5, y), QPointF(8.5, y));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9.5, y - 1.5, 7, 2.5));
  }
  // A pointing hand resting on the form.
  p.setPen(Pen(QColor(150, 96, 56)));
  p.setBrush(QColor(244, 200, 160));
  QPainterPath hand;
  hand.moveTo(12.5, 13.5);
  hand.lineTo(15.0, 13.5);
  hand.lineTo(15.0, 16.5);
  hand.lineTo(22.5, 16.5);
  hand.lineTo(23.5, 20.0);
  hand.lineTo(21.5, 23.5);
  hand.lineTo(14.0, 23.5);
  hand.lineTo(12.5, 20.5);
  hand.closeSubpath();
  p.drawPath(hand);
  p.drawLine(QPointF(17.5, 16.5), QPointF(17.5, 19));
  p.drawLine(QPointF(20.0, 16.5), QPointF(20.0, 19));
}

void DrawCalculator(QPainter& p) {
  p.setPen(Pen(Ink));
  p.setBrush(QColor(70, 78, 92));
  p.drawRoundedRect(QRectF(4.5, 1.5, 16, 22), 2, 2);
  p.setBrush(QColor(180, 220, 170));
  p.drawRect(QRectF(6.5, 3.5, 12, 5));
  p.setPen(Qt::NoPen);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) {
      p.setBrush(r == 3 && c == 2 ? QColor(240, 140, 40) : QColor(220, 224, 230));
      p.drawRect(QRectF(6.5 + 4 * c, 10.5 + 3.2 * r, 3, 2.2));
    }
}

}  // namespace

const std::vector<Icon>& ToolbarIcons() {
  static const std::vector<Icon> icons = {
      {"import", DrawImport},         {"open", DrawOpen},
      {"new", DrawBin},               {"save", DrawDiskette},
      {"about", DrawHardHat},         {"pointer", DrawPointer},
      {"one-way", DrawOneWay},        {"two-way", DrawTwoWay},
      {"colour-grid", DrawColourGrid}, {"delete-restraint", DrawGreenCross},
      {"load", DrawLoad},             {"stress", DrawGradient},
      {"deformed", DrawDeformed},     {"help", DrawBook},
      {"properties", DrawHandOnForm}, {"compute", DrawCalculator},
  };
  return icons;
}

}  // namespace pictures
