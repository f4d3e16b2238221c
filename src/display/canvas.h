#pragma once
// The raster surface every drawing routine paints through. Attributes (pen,
// brush, font colour) are kept here and persist between calls: a routine that
// does not set one draws with whatever the previous routine left.
//
// Box rules: a rectangle or ellipse from (l, t) to (r, b) covers columns
// l .. r-1 and rows t .. b-1. A line drawn with LineTo covers its start pixel
// but not its end pixel. Shapes are filled with the brush (unless hollow) and
// outlined with the pen.
#include <cstdint>
#include <span>
#include <string>

namespace trivane {

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

// A pixel position: x to the right, y downwards, (0, 0) the top-left pixel.
struct Pixel {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const Pixel&) const = default;
};

enum class PenStyle { Solid, Dashed };
// Invert turns every pixel the pen covers into its inverse colour, so drawing
// the same shape twice restores the picture.
enum class PenMode { Copy, Invert };
enum class BrushStyle { Solid, Hollow };

struct CanvasAttributes {
  Rgb penColour{0, 0, 0};
  int32_t penWidth = 1;
  PenStyle penStyle = PenStyle::Solid;
  PenMode penMode = PenMode::Copy;
  Rgb brushColour{255, 255, 255};
  BrushStyle brushStyle = BrushStyle::Solid;
  Rgb fontColour{0, 0, 0};
  bool operator==(const CanvasAttributes&) const = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  void SetPenColour(Rgb colour) { attributes_.penColour = colour; }
  void SetPenWidth(int32_t width) { attributes_.penWidth = width; }
  void SetPenStyle(PenStyle style) { attributes_.penStyle = style; }
  void SetPenMode(PenMode mode) { attributes_.penMode = mode; }
  void SetBrushColour(Rgb colour) { attributes_.brushColour = colour; }
  void SetBrushStyle(BrushStyle style) { attributes_.brushStyle = style; }
  void SetFontColour(Rgb colour) { attributes_.fontColour = colour; }
  const CanvasAttributes& Attributes() const { return attributes_; }
  Pixel PenPosition() const { return penPosition_; }

  virtual void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
  // Closed: the outline runs back from the last point to the first.
  virtual void Polygon(std::span<const Pixel> points) = 0;
  virtual void Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
  void MoveTo(int32_t x, int32_t y) { penPosition_ = {x, y}; }
  // Draws from the pen position to (x, y), which becomes the new pen position.
  void LineTo(int32_t x, int32_t y) {
    DrawLine(penPosition_, {x, y});
    penPosition_ = {x, y};
  }
  // (x, y) is the top-left corner of the text; the background stays as it is.
  virtual void TextOut(int32_t x, int32_t y, const std::string& text) = 0;
  // Sets pixels (x, y), (x + 1, y), ... to the colours given, whatever the pen
  // and brush; pixels outside the surface are left out. For pictures that
  // colour every pixel of their own, such as a smooth field.
  virtual void PutPixels(int32_t x, int32_t y, std::span<const Rgb> colours) = 0;

  // The box the text's ink covers when TextOut writes it at (0, 0): from
  // the first to the second pixel, the second excluded. This estimate, 7 by
  // 10 pixels a character below a 2-pixel gap, serves surfaces without a font.
  struct TextBox {
    Pixel topLeft;
    Pixel bottomRight;
  };
  virtual TextBox TextInk(const std::string& text) const {
    int32_t characters = 0;
    for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return {{0, 2}, {7 * characters, 12}};
  }

  // The size of the visible drawing surface now.
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;

 protected:
  virtual void DrawLine(Pixel from, Pixel to) = 0;

 private:
  CanvasAttributes attributes_;
  Pixel penPosition_;
};

}  // namespace trivane
