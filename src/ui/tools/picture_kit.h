#pragma once
// The colours and strokes shared by every picture of the program.
#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPointF>

namespace pictures {

inline const QColor Ink(40, 48, 60);
inline const QColor Steel(96, 112, 132);
inline const QColor Paper(250, 250, 246);
inline const QColor Folder(232, 184, 72);
inline const QColor FolderDark(176, 124, 32);
inline const QColor Blue(40, 104, 196);
inline const QColor Green(36, 150, 72);
inline const QColor Red(204, 48, 40);
inline const QColor Ground(120, 120, 120);

inline QPen Pen(const QColor& c, double w = 1.0) {
  QPen p(c, w);
  p.setJoinStyle(Qt::MiterJoin);
  p.setCapStyle(Qt::FlatCap);
  return p;
}

inline void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& c, double head = 4.0) {
  p.setPen(Pen(c, 2.0));
  const QPointF d = to - from;
  const double len = std::hypot(d.x(), d.y());
  const QPointF u = d / len;
  const QPointF n(-u.y(), u.x());
  p.drawLine(from, to - u * head);
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawPolygon(QPolygonF({to, to - u * head * 1.6 + n * head, to - u * head * 1.6 - n * head}));
}

}  // namespace pictures
