#include "display_qt/qt_canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QVarLengthArray>
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "display_qt/clipping.h"

namespace trivane {

namespace {

// A dashed pen draws DashOn pixels, then leaves DashOff, running on along the
// whole outline of a shape.
constexpr int DashOn = 6;
constexpr int DashOff = 3;

QColor ToQColor(Rgb colour) { return QColor(colour.r, colour.g, colour.b); }
uint32_t ToArgb(Rgb colour) { return qRgb(colour.r, colour.g, colour.b); }

// The pixels of the pen's centre line along one outline, in drawing order,
// collected into `pixels` (emptied first).
class Trace {
 public:
  Trace(PenStyle style, std::vector<Pixel>& pixels) : dashed_(style == PenStyle::Dashed), pixels_(pixels) {
    pixels_.clear();
  }

  void Add(int64_t x, int64_t y) {
    const bool on = !dashed_ || step_ % (DashOn + DashOff) < DashOn;
    ++step_;
    if (on) pixels_.push_back({static_cast<int32_t>(x), static_cast<int32_t>(y)});
  }

  // Bresenham from `from` to `to`, leaving out `to` itself.
  void Line(Pixel from, Pixel to) {
    const int64_t dx = std::llabs(int64_t{to.x} - from.x);
    const int64_t dy = -std::llabs(int64_t{to.y} - from.y);
    const int64_t sx = from.x < to.x ? 1 : -1;
    const int64_t sy = from.y < to.y ? 1 : -1;
    int64_t x = from.x;
    int64_t y = from.y;
    int64_t error = dx + dy;
    while (x != to.x || y != to.y) {
      Add(x, y);
      const int64_t twice = 2 * error;
      if (twice >= dy) {
        error += dy;
        x += sx;
      }
      if (twice <= dx) {
        error += dx;
        y += sy;
      }
    }
  }

  std::vector<Pixel>& Pixels() { return pixels_; }

 private:
  bool dashed_;
  int64_t step_ = 0;
  std::vector<Pixel>& pixels_;
};

// Painter state changes cost as much as filling a small triangle: change only
// what differs.
void SetFill(QPainter& painter, const QColor& colour, QPainter::CompositionMode mode) {
  if (painter.pen().style() != Qt::NoPen) painter.setPen(Qt::NoPen);
  if (painter.brush().style() != Qt::SolidPattern || painter.brush().color() != colour) painter.setBrush(colour);
  if (painter.compositionMode() != mode) painter.setCompositionMode(mode);
}

bool Inside(std::span<const Pixel> points, const ClipBox& box) {
  return std::all_of(points.begin(), points.end(), [&](Pixel p) {
    return p.x >= box.left && p.x <= box.right && p.y >= box.top && p.y <= box.bottom;
  });
}

}  // namespace

QtCanvas::QtCanvas(int32_t rasterWidth, int32_t rasterHeight)
    : image_(std::max(rasterWidth, 1), std::max(rasterHeight, 1), QImage::Format_RGB32),
      visibleWidth_(image_.width()),
      visibleHeight_(image_.height()) {
  image_.fill(Qt::black);
}

QtCanvas::~QtCanvas() = default;

const QImage& QtCanvas::Image() const {
  EndPainting();
  return image_;
}

// Painting on the image detaches it from any copy handed out before, so pixels
// written directly afterwards land in the painter's buffer too.
QPainter& QtCanvas::Painter() {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
  }
  return *painter_;
}

void QtCanvas::EndPainting() const { painter_.reset(); }

void QtCanvas::SetVisibleSize(int32_t width, int32_t height) {
  visibleWidth_ = std::clamp(width, 0, image_.width());
  visibleHeight_ = std::clamp(height, 0, image_.height());
}

void QtCanvas::GrowRaster(int32_t width, int32_t height) {
  if (width <= image_.width() && height <= image_.height()) return;
  EndPainting();
  QImage grown(std::max(width, image_.width()), std::max(height, image_.height()), QImage::Format_RGB32);
  grown.fill(Qt::black);
  QPainter copy(&grown);
  copy.drawImage(0, 0, image_);
  copy.end();
  image_ = std::move(grown);
}

void QtCanvas::ChangePixel(int32_t x, int32_t y, bool invert, uint32_t colour) {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
  auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
  line[x] = invert ? (~line[x] & 0x00FFFFFFu) | 0xFF000000u : colour;
}

void QtCanvas::ApplyPen(std::vector<Pixel>& pixels) {
  const CanvasAttributes& pen = Attributes();
  const int32_t width = std::max(pen.penWidth, 1);
  if (width > 1) {
    std::vector<Pixel> wide;
    wide.reserve(pixels.size() * width * width);
    for (const Pixel p : pixels) {
      for (int32_t dy = 0; dy < width; ++dy) {
        for (int32_t dx = 0; dx < width; ++dx) wide.push_back({p.x - width / 2 + dx, p.y - width / 2 + dy});
      }
    }
    pixels.swap(wide);
  }
  const bool invert = pen.penMode == PenMode::Invert;
  if (invert) {
    const auto order = [](Pixel a, Pixel b) { return std::pair(a.y, a.x) < std::pair(b.y, b.x); };
    std::sort(pixels.begin(), pixels.end(), order);
    pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
  }
  const uint32_t colour = ToArgb(pen.penColour);
  for (const Pixel p : pixels) ChangePixel(p.x, p.y, invert, colour);
}

void QtCanvas::FillArea(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (Attributes().brushStyle == BrushStyle::Hollow) return;
  const bool invert = Attributes().penMode == PenMode::Invert;
  const uint32_t colour = ToArgb(Attributes().brushColour);
  const int32_t x0 = std::max(left, 0);
  const int32_t x1 = std::min(right, image_.width());
  const int32_t y0 = std::max(top, 0);
  const int32_t y1 = std::min(bottom, image_.height());
  for (int32_t y = y0; y < y1; ++y) {
    for (int32_t x = x0; x < x1; ++x) ChangePixel(x, y, invert, colour);
  }
}

void QtCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (left == right || top == bottom) return;
  FillArea(left, top, right, bottom);
  // Edges far outside the raster are pulled in to just beyond it, so the walk
  // stays short; what shows inside the raster does not change.
  const ClipBox box = PenClipBox(image_.width(), image_.height(), Attributes().penWidth);
  const int32_t l = ClampTo(left, box.left, box.right);
  const int32_t r = ClampTo(right - 1, box.left, box.right);
  const int32_t t = ClampTo(top, box.top, box.bottom);
  const int32_t b = ClampTo(bottom - 1, box.top, box.bottom);
  // Clockwise from the top-left corner; every pixel of the frame once.
  Trace trace(Attributes().penStyle, outline_);
  if (l == r || t == b) {
    trace.Line({l, t}, {r, b});
    trace.Add(r, b);
  } else {
    trace.Line({l, t}, {r, t});
    trace.Line({r, t}, {r, b});
    trace.Line({r, b}, {l, b});
    trace.Line({l, b}, {l, t});
  }
  ApplyPen(trace.Pixels());
}

void QtCanvas::Polygon(std::span<const Pixel> points) {
  if (points.empty()) return;
  const ClipBox box = PenClipBox(image_.width(), image_.height(), Attributes().penWidth);
  if (Attributes().brushStyle == BrushStyle::Solid) {
    QPainter& painter = Painter();
    SetFill(painter, ToQColor(Attributes().brushColour),
            Attributes().penMode == PenMode::Invert ? QPainter::RasterOp_NotDestination
                                                    : QPainter::CompositionMode_SourceOver);
    // Most triangles lie inside the box and need no cutting.
    QVarLengthArray<QPointF, 8> corners;
    if (Inside(points, box)) {
      for (const Pixel& p : points) corners.append(QPointF(p.x, p.y));
    } else {
      for (const PointF& p : ClipPolygon(points, box)) corners.append(QPointF(p.x, p.y));
    }
    painter.drawPolygon(corners.data(), static_cast<int>(corners.size()), Qt::OddEvenFill);
  }
  Trace trace(Attributes().penStyle, outline_);
  for (size_t k = 0; k < points.size(); ++k) {
    const Pixel from = points[k];
    const Pixel to = points[(k + 1) % points.size()];
    if (const auto segment = ClipSegment(from, to, box)) trace.Line(segment->first, segment->second);
  }
  if (points.size() == 1) trace.Add(points[0].x, points[0].y);
  ApplyPen(trace.Pixels());
}

void QtCanvas::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (right - left < 1 || bottom - top < 1) return;
  QPainter& painter = Painter();
  painter.setCompositionMode(Attributes().penMode == PenMode::Invert ? QPainter::RasterOp_NotDestination
                                                                     : QPainter::CompositionMode_SourceOver);
  if (Attributes().brushStyle == BrushStyle::Solid) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(Attributes().brushColour));
    painter.drawEllipse(QRectF(left, top, right - left, bottom - top));
  }
  // The outline runs through the centres of the box's outermost pixels, so it
  // stays within columns left .. right-1 and rows top .. bottom-1.
  QPen pen(ToQColor(Attributes().penColour));
  pen.setWidth(std::max(Attributes().penWidth, 1));
  pen.setCosmetic(Attributes().penWidth <= 1);
  if (Attributes().penStyle == PenStyle::Dashed) pen.setStyle(Qt::DashLine);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1));
}

void QtCanvas::TextOut(int32_t x, int32_t y, const std::string& text) {
  QPainter& painter = Painter();
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  // Label pixels take the font colour exactly, like every other primitive.
  QFont font = painter.font();
  font.setStyleStrategy(QFont::NoAntialias);
  painter.setFont(font);
  painter.setPen(ToQColor(Attributes().fontColour));
  const QFontMetrics metrics(painter.font());
  painter.drawText(QPointF(x, static_cast<double>(y) + metrics.ascent()), QString::fromStdString(text));
}

// TextOut puts the baseline at the ascent below the top. The metrics are the
// raster's, whose resolution may differ from the screen's.
Canvas::TextBox QtCanvas::TextInk(const std::string& text) const {
  QFont font;
  font.setStyleStrategy(QFont::NoAntialias);
  const QFontMetrics metrics(font, &image_);
  const QRect ink = metrics.tightBoundingRect(QString::fromStdString(text));
  return {{ink.left(), metrics.ascent() + ink.top()}, {ink.right() + 1, metrics.ascent() + ink.bottom() + 1}};
}

void QtCanvas::PutPixels(int32_t x, int32_t y, std::span<const Rgb> colours) {
  if (y < 0 || y >= image_.height()) return;
  auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
  const int32_t from = std::max(x, 0);
  const int32_t to = static_cast<int32_t>(std::min<int64_t>(int64_t{x} + static_cast<int64_t>(colours.size()), image_.width()));
  for (int32_t k = from; k < to; ++k) line[k] = ToArgb(colours[static_cast<std::size_t>(k - x)]);
}

void QtCanvas::DrawLine(Pixel from, Pixel to) {
  const ClipBox box = PenClipBox(image_.width(), image_.height(), Attributes().penWidth);
  Trace trace(Attributes().penStyle, outline_);
  if (const auto segment = ClipSegment(from, to, box)) trace.Line(segment->first, segment->second);
  ApplyPen(trace.Pixels());
}

}  // namespace trivane
