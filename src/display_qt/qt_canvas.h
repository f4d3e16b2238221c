#pragma once
// The drawing surface of the window and of trivane-cli: a raster image that
// the display routines paint on, without antialiasing and with the classic
// box rules of the Canvas interface kept pixel for pixel. The window shows the
// top-left part of the raster; Width() and Height() give that visible size.
//
// Text needs a QGuiApplication to exist (for its fonts).
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "display/canvas.h"

namespace trivane {

class QtCanvas : public Canvas {
 public:
  // A black raster of the given size, all of it visible.
  QtCanvas(int32_t rasterWidth, int32_t rasterHeight);
  ~QtCanvas() override;

  // Everything drawn so far.
  const QImage& Image() const;
  // The size the drawing routines fit to, at most the raster's.
  void SetVisibleSize(int32_t width, int32_t height);
  // Makes the raster at least width x height, keeping what it shows; the new
  // part is black. It never shrinks, so a window made smaller and larger
  // again allocates nothing.
  void GrowRaster(int32_t width, int32_t height);

  void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  void Polygon(std::span<const Pixel> points) override;
  void Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  void TextOut(int32_t x, int32_t y, const std::string& text) override;
  TextBox TextInk(const std::string& text) const override;
  void PutPixels(int32_t x, int32_t y, std::span<const Rgb> colours) override;
  int32_t Width() const override { return visibleWidth_; }
  int32_t Height() const override { return visibleHeight_; }

 protected:
  void DrawLine(Pixel from, Pixel to) override;

 private:
  // One painter stays open across primitives, as opening one costs more than
  // filling a small triangle; it is closed when the image is read.
  QPainter& Painter();
  void EndPainting() const;

  // Paints the pixels an outline covers, each once even where the outline
  // meets itself, so that an inverting pen can be undone by drawing again.
  void ApplyPen(std::vector<Pixel>& pixels);
  void FillArea(int32_t left, int32_t top, int32_t right, int32_t bottom);
  void ChangePixel(int32_t x, int32_t y, bool invert, uint32_t colour);

  QImage image_;
  mutable std::unique_ptr<QPainter> painter_;
  std::vector<Pixel> outline_;  // reused by every outline, so drawing allocates nothing
  int32_t visibleWidth_;
  int32_t visibleHeight_;
};

}  // namespace trivane
