#pragma once
// The left part of a canvas as a canvas of its own: a picture drawn on it
// fits and centres itself in that part, leaving the rest of the surface to
// what is drawn beside it, such as a legend. Drawing is not clipped: the
// neighbour is drawn afterwards, over anything that reached into it.
#include "display/canvas.h"

namespace trivane {

class CanvasPart : public Canvas {
 public:
  CanvasPart(Canvas& whole, int32_t width) : whole_(whole), width_(width) {}

  void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) override {
    Sync().Rectangle(left, top, right, bottom);
  }
  void Polygon(std::span<const Pixel> points) override { Sync().Polygon(points); }
  void Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) override {
    Sync().Ellipse(left, top, right, bottom);
  }
  void TextOut(int32_t x, int32_t y, const std::string& text) override { Sync().TextOut(x, y, text); }
  void PutPixels(int32_t x, int32_t y, std::span<const Rgb> colours) override { whole_.PutPixels(x, y, colours); }
  TextBox TextInk(const std::string& text) const override { return whole_.TextInk(text); }
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return whole_.Height(); }

 protected:
  void DrawLine(Pixel from, Pixel to) override {
    Sync().MoveTo(from.x, from.y);
    whole_.LineTo(to.x, to.y);
  }

 private:
  // The whole canvas takes this part's attributes before it draws for it.
  Canvas& Sync() {
    const CanvasAttributes& a = Attributes();
    whole_.SetPenColour(a.penColour);
    whole_.SetPenWidth(a.penWidth);
    whole_.SetPenStyle(a.penStyle);
    whole_.SetPenMode(a.penMode);
    whole_.SetBrushColour(a.brushColour);
    whole_.SetBrushStyle(a.brushStyle);
    whole_.SetFontColour(a.fontColour);
    return whole_;
  }

  Canvas& whole_;
  int32_t width_;
};

}  // namespace trivane
