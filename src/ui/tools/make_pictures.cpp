// Draws the toolbar pictures, the computation-in-progress banner and the
// about-box picture, and writes them as PNG files:
//   build/.../src/ui/tools/trivane-make-pictures <repository>/resources
// The generated files are committed; the program runs only when a picture
// changes.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "picture_kit.h"
#include "toolbar_icons.h"

namespace {

using namespace pictures;

// The program's name as the large pictures show it.
QFont TitleFont(int pixels) {
  QFont f("DejaVu Sans");
  f.setPixelSize(pixels);
  f.setBold(true);
  return f;
}

// A picture of the given size, antialiased, filled top to bottom with a gradient.
QImage GradientPicture(int width, int height, const QColor& top, const QColor& bottom) {
  QImage img(width, height, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient bg(0, 0, 0, height);
  bg.setColorAt(0, top);
  bg.setColorAt(1, bottom);
  p.fillRect(img.rect(), bg);
  return img;
}

QFont CjkFont(int pixels, bool bold = false) {
  QFont f("Noto Sans CJK SC");
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

// A small triangulated plate, used as the motif of both large pictures.
void DrawMeshMotif(QPainter& p, QRectF box, bool coloured) {
  const int cols = 8, rows = 3;
  auto at = [&](int i, int j) {
    return QPointF(box.left() + box.width() * i / cols, box.top() + box.height() * j / rows);
  };
  for (int i = 0; i < cols; ++i)
    for (int j = 0; j < rows; ++j) {
      const QPointF a = at(i, j), b = at(i + 1, j), c = at(i + 1, j + 1), d = at(i, j + 1);
      for (int k = 0; k < 2; ++k) {
        QColor fill(150, 150, 150);
        if (coloured) {
          // Bending stress of a cantilever: largest at the fixed edge, signed by fibre.
          const double s = (1.0 - (i + 0.5) / cols) * ((rows / 2.0 - j - 0.5 + (k ? -0.2 : 0.2)) / (rows / 2.0));
          fill = QColor::fromHsvF(std::clamp(0.33 - 0.33 * s, 0.0, 0.66), 0.85, 0.95);
        }
        p.setBrush(fill);
        p.setPen(Pen(Qt::white, 1.0));
        p.drawPolygon(k == 0 ? QPolygonF({a, b, c}) : QPolygonF({a, c, d}));
      }
    }
}

QImage ProgressBanner() {
  QImage img = GradientPicture(400, 141, QColor(28, 36, 52), QColor(12, 16, 24));
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setPen(Pen(QColor(70, 130, 200), 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1, 1, 398, 139));
  DrawMeshMotif(p, QRectF(24, 34, 120, 45), true);
  p.setPen(Qt::white);
  p.setFont(TitleFont(30));
  p.drawText(QRectF(164, 22, 220, 40), Qt::AlignLeft | Qt::AlignVCenter, "Trivane");
  p.setFont(CjkFont(18));
  p.setPen(QColor(220, 230, 240));
  p.drawText(QRectF(164, 64, 230, 28), Qt::AlignLeft | Qt::AlignVCenter, "正在计算，请稍候……");
  // A progress strip of square cells, like a solver working through rows.
  for (int i = 0; i < 24; ++i) {
    p.setPen(Qt::NoPen);
    p.setBrush(i < 15 ? QColor(70, 160, 230) : QColor(50, 60, 78));
    p.drawRect(QRectF(24 + i * 15.2, 104, 12, 12));
  }
  return img;
}

QImage AboutPicture() {
  QImage img = GradientPicture(400, 257, QColor(244, 246, 250), QColor(214, 222, 234));
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.fillRect(QRectF(0, 0, 400, 70), QColor(28, 40, 64));
  p.setPen(Qt::white);
  p.setFont(TitleFont(34));
  p.drawText(QRectF(24, 10, 220, 50), Qt::AlignLeft | Qt::AlignVCenter, "Trivane");
  p.setFont(CjkFont(15));
  p.setPen(QColor(200, 214, 234));
  p.drawText(QRectF(190, 10, 196, 50), Qt::AlignRight | Qt::AlignVCenter, "平面问题有限元分析");

  // A cantilever plate in colour with its fixed edge and end load.
  const QRectF plate(60, 96, 240, 72);
  DrawMeshMotif(p, plate, true);
  p.setPen(Pen(Ink, 2));
  p.drawLine(QPointF(plate.left() - 2, plate.top() - 10), QPointF(plate.left() - 2, plate.bottom() + 10));
  p.setPen(Pen(Ground, 1));
  for (double y = plate.top() - 8; y < plate.bottom() + 10; y += 6)
    p.drawLine(QPointF(plate.left() - 3, y), QPointF(plate.left() - 10, y + 6));
  Arrow(p, {plate.right() + 20, plate.top() - 28}, {plate.right(), plate.top()}, Red, 4);
  p.setFont(CjkFont(13, true));
  p.setPen(Red);
  p.drawText(QPointF(plate.right() + 22, plate.top() - 30), "P");
  QLinearGradient key(0, plate.top(), 0, plate.bottom());
  key.setColorAt(0, Red);
  key.setColorAt(0.5, QColor(60, 200, 80));
  key.setColorAt(1, Blue);
  p.setPen(Pen(Ink));
  p.setBrush(key);
  p.drawRect(QRectF(340, plate.top(), 12, plate.height()));

  p.setFont(CjkFont(13));
  p.setPen(Ink);
  p.drawText(QRectF(24, 190, 352, 22), Qt::AlignLeft | Qt::AlignVCenter,
             "三结点常应变三角形单元 · 平面应力 / 平面应变");
  p.setPen(Steel);
  p.drawText(QRectF(24, 214, 352, 22), Qt::AlignLeft | Qt::AlignVCenter, "版本 0.1.0");
  return img;
}

bool Save(const QImage& img, const QString& path) {
  if (img.save(path, "PNG")) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: trivane-make-pictures RESOURCES_DIR\n");
    return 2;
  }
  const QDir root(QString::fromLocal8Bit(argv[1]));
  root.mkpath("icons");
  root.mkpath("pictures");
  bool ok = true;
  for (const Icon& icon : ToolbarIcons()) {
    QImage img(25, 25, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    icon.draw(p);
    p.end();
    ok &= Save(img, root.filePath(QString("icons/%1.png").arg(icon.name)));
  }
  ok &= Save(ProgressBanner(), root.filePath("pictures/computing.png"));
  ok &= Save(AboutPicture(), root.filePath("pictures/about.png"));
  // The program's icon for the desktop menu: the stress plate on a rounded tile.
  QImage appIcon(128, 128, QImage::Format_ARGB32);
  appIcon.fill(Qt::transparent);
  {
    QPainter p(&appIcon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(28, 40, 64));
    p.drawRoundedRect(QRectF(4, 4, 120, 120), 20, 20);
    DrawMeshMotif(p, QRectF(18, 40, 92, 48), true);
  }
  ok &= Save(appIcon, root.filePath("icons/trivane.png"));
  return ok ? 0 : 1;
}
