#include "display/glyphs.h"

#include <cmath>
#include <numbers>

#include "display/view.h"

namespace trivane {

namespace {

constexpr Rgb Green{0, 255, 0};
constexpr Rgb Red{255, 0, 0};

void SetSupportAttributes(Canvas& canvas) {
  canvas.SetPenColour(Green);
  canvas.SetPenWidth(1);
  canvas.SetBrushStyle(BrushStyle::Hollow);
}

void Line(Canvas& canvas, Pixel p, Pixel q) {
  canvas.MoveTo(p.x, p.y);
  canvas.LineTo(q.x, q.y);
}

// p -> q -> r -> p, a closed outline drawn as lines.
void Triangle(Canvas& canvas, Pixel p, Pixel q, Pixel r) {
  canvas.MoveTo(p.x, p.y);
  canvas.LineTo(q.x, q.y);
  canvas.LineTo(r.x, r.y);
  canvas.LineTo(p.x, p.y);
}

}  // namespace

void DrawOneWaySupport(Canvas& canvas, int32_t a, int32_t b, int32_t orientation) {
  SetSupportAttributes(canvas);
  if (orientation == 0) {
    Line(canvas, {a, b + 3}, {a, b + 10});
    Line(canvas, {a - 7, b + 11}, {a + 7, b + 11});
    Line(canvas, {a - 7, b + 12}, {a + 7, b + 12});
    canvas.Ellipse(a - 3, b, a + 3, b + 6);
    canvas.Ellipse(a - 3, b + 7, a + 3, b + 13);
  } else if (orientation == 1) {
    Line(canvas, {a - 3, b}, {a - 10, b});
    Line(canvas, {a - 11, b + 7}, {a - 11, b - 7});
    Line(canvas, {a - 12, b + 7}, {a - 12, b - 7});
    canvas.Ellipse(a - 6, b - 3, a, b + 3);
    canvas.Ellipse(a - 13, b - 3, a - 7, b + 3);
  } else if (orientation == 2) {
    Line(canvas, {a, b - 3}, {a, b - 10});
    Line(canvas, {a - 7, b - 11}, {a + 7, b - 11});
    Line(canvas, {a - 7, b - 12}, {a + 7, b - 12});
    canvas.Ellipse(a - 3, b - 6, a + 3, b);
    canvas.Ellipse(a - 3, b - 13, a + 3, b - 7);
  } else if (orientation == 3) {
    Line(canvas, {a + 3, b}, {a + 10, b});
    Line(canvas, {a + 12, b + 7}, {a + 12, b - 7});
    Line(canvas, {a + 11, b + 7}, {a + 11, b - 7});
    canvas.Ellipse(a, b - 3, a + 6, b + 3);
    canvas.Ellipse(a + 7, b - 3, a + 13, b + 3);
  }
}

void DrawTwoWaySupport(Canvas& canvas, int32_t a, int32_t b, int32_t orientation) {
  SetSupportAttributes(canvas);
  if (orientation == 0) {
    Triangle(canvas, {a, b + 3}, {a - 5, b + 10}, {a + 5, b + 10});
    Line(canvas, {a - 7, b + 13}, {a + 7, b + 13});
    Line(canvas, {a - 7, b + 12}, {a + 7, b + 12});
    canvas.Ellipse(a - 3, b, a + 3, b + 6);
    canvas.Ellipse(a - 8, b + 7, a - 2, b + 13);
    canvas.Ellipse(a + 2, b + 7, a + 8, b + 13);
  } else if (orientation == 1) {
    Triangle(canvas, {a - 3, b}, {a - 10, b + 5}, {a - 10, b - 5});
    Line(canvas, {a - 12, b + 7}, {a - 12, b - 7});
    Line(canvas, {a - 13, b + 7}, {a - 13, b - 7});
    canvas.Ellipse(a - 6, b - 3, a, b + 3);
    canvas.Ellipse(a - 13, b + 2, a - 7, b + 8);
    canvas.Ellipse(a - 13, b - 8, a - 7, b - 2);
  } else if (orientation == 2) {
    Triangle(canvas, {a, b - 3}, {a - 5, b - 10}, {a + 5, b - 10});
    Line(canvas, {a - 7, b - 13}, {a + 7, b - 13});
    Line(canvas, {a - 7, b - 12}, {a + 7, b - 12});
    canvas.Ellipse(a - 3, b - 6, a + 3, b);
    canvas.Ellipse(a - 8, b - 13, a - 2, b - 7);
    canvas.Ellipse(a + 2, b - 13, a + 8, b - 7);
  } else if (orientation == 3) {
    Triangle(canvas, {a + 3, b}, {a + 10, b - 5}, {a + 10, b + 5});
    Line(canvas, {a + 12, b - 7}, {a + 12, b + 7});
    Line(canvas, {a + 13, b - 7}, {a + 13, b + 7});
    canvas.Ellipse(a, b - 3, a + 6, b + 3);
    canvas.Ellipse(a + 7, b - 8, a + 13, b - 2);
    canvas.Ellipse(a + 7, b + 2, a + 13, b + 8);
  }
}

bool LabelSpace::Claim(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  constexpr int32_t Cell = 64;
  const auto cell = [](int32_t v) { return v >= 0 ? v / Cell : (v - Cell + 1) / Cell; };
  const auto key = [](int64_t cx, int64_t cy) { return (cx << 32) ^ (cy & 0xFFFFFFFF); };
  const int32_t firstX = cell(left), lastX = cell(right - 1), firstY = cell(top), lastY = cell(bottom - 1);
  for (int32_t cx = firstX; cx <= lastX; ++cx) {
    for (int32_t cy = firstY; cy <= lastY; ++cy) {
      const auto found = cells_.find(key(cx, cy));
      if (found == cells_.end()) continue;
      for (const Box& b : found->second) {
        if (left < b.right && b.left < right && top < b.bottom && b.top < bottom) return false;
      }
    }
  }
  for (int32_t cx = firstX; cx <= lastX; ++cx) {
    for (int32_t cy = firstY; cy <= lastY; ++cy) cells_[key(cx, cy)].push_back({left, top, right, bottom});
  }
  return true;
}

void DrawLoadArrow(Canvas& canvas, int32_t a, int32_t b, double angle, const std::string& label,
                   LabelSpace* labels) {
  canvas.SetBrushStyle(BrushStyle::Hollow);
  canvas.SetFontColour(Red);
  canvas.SetPenColour(Red);
  canvas.SetPenWidth(2);

  constexpr long double degree = std::numbers::pi_v<long double> / 180;
  const long double theta = angle * degree;
  const long double c = std::cos(theta);
  const long double s = std::sin(theta);
  // A point `along` pixels out from the node in the load's direction and
  // `aside` pixels to the side of it (screen y points down).
  const auto at = [&](long double along, long double aside) {
    return Pixel{RoundToPixel(a + along * c + aside * s), RoundToPixel(b - along * s + aside * c)};
  };

  const Pixel tail = at(40, 0);
  Line(canvas, tail, {a, b});
  // The head sits at the tail and points away from the node: the way the load
  // pushes the structure.
  Triangle(canvas, tail, at(30, 3), at(30, -3));
  const Pixel text = at(50, 5);
  // A pixel of margin all round: two labels keep at least two pixels apart,
  // or their lines of text would read as one.
  const Canvas::TextBox ink = canvas.TextInk(label);
  if (labels && !labels->Claim(text.x + ink.topLeft.x - 1, text.y + ink.topLeft.y - 1,
                               text.x + ink.bottomRight.x + 1, text.y + ink.bottomRight.y + 1))
    return;
  canvas.TextOut(text.x, text.y, label);
}

}  // namespace trivane
