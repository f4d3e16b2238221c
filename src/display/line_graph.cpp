#include "display/line_graph.h"

#include <algorithm>
#include <cmath>

#include "display/view.h"
#include "io/number_text.h"

namespace trivane {

namespace {

constexpr Rgb White{255, 255, 255};
constexpr Rgb Black{0, 0, 0};
constexpr Rgb GridGrey{220, 220, 220};

// Margins of the plotting area, in pixels: room for the values on the left,
// the title above and the distances below.
constexpr int32_t LeftMargin = 84;
constexpr int32_t RightMargin = 24;
constexpr int32_t TopMargin = 40;
constexpr int32_t BottomMargin = 48;
constexpr int32_t TickLength = 5;
constexpr int32_t TextHeight = 14;
constexpr int32_t CharWidth = 7;  // a rough width, to set values right of their tick

struct Axis {
  double low = 0.0;
  double high = 1.0;
  double step = 0.2;
};

// Ticks at 1, 2 or 5 times a power of ten, about five of them, enclosing the range.
Axis NiceAxis(double low, double high) {
  if (!(high > low)) {
    const double pad = low == 0.0 ? 1.0 : std::fabs(low) * 0.1;
    low -= pad;
    high += pad;
  }
  const double rough = (high - low) / 5.0;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  double step = power;
  for (const double m : {1.0, 2.0, 5.0, 10.0})
    if (m * power >= rough) {
      step = m * power;
      break;
    }
  return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

// A tick value without the rounding dust of k * step.
std::string TickText(double value, double step) {
  if (std::fabs(value) < step * 1e-9) value = 0.0;
  return FormatSignificant(value, 4);
}

class Frame {
 public:
  Frame(const Canvas& canvas, Axis x, Axis y)
      : x_(x), y_(y), left_(LeftMargin), right_(std::max(canvas.Width() - RightMargin, LeftMargin + 1)),
        top_(TopMargin), bottom_(std::max(canvas.Height() - BottomMargin, TopMargin + 1)) {}

  int32_t Column(double s) const { return RoundToPixel(left_ + (s - x_.low) / (x_.high - x_.low) * (right_ - left_)); }
  int32_t Row(double v) const { return RoundToPixel(bottom_ - (v - y_.low) / (y_.high - y_.low) * (bottom_ - top_)); }

  void DrawAxes(Canvas& canvas) const {
    canvas.SetFontColour(Black);
    for (int32_t k = 0; x_.low + k * x_.step <= x_.high + x_.step * 1e-9; ++k) {
      const double s = x_.low + k * x_.step;
      const int32_t c = Column(s);
      canvas.SetPenColour(GridGrey);
      canvas.MoveTo(c, top_);
      canvas.LineTo(c, bottom_);
      canvas.SetPenColour(Black);
      canvas.MoveTo(c, bottom_);
      canvas.LineTo(c, bottom_ + TickLength);
      const std::string text = TickText(s, x_.step);
      canvas.TextOut(c - static_cast<int32_t>(text.size()) * CharWidth / 2, bottom_ + TickLength + 2, text);
    }
    for (int32_t k = 0; y_.low + k * y_.step <= y_.high + y_.step * 1e-9; ++k) {
      const double v = y_.low + k * y_.step;
      const int32_t r = Row(v);
      canvas.SetPenColour(GridGrey);
      canvas.MoveTo(left_, r);
      canvas.LineTo(right_, r);
      canvas.SetPenColour(Black);
      canvas.MoveTo(left_ - TickLength, r);
      canvas.LineTo(left_, r);
      const std::string text = TickText(v, y_.step);
      canvas.TextOut(left_ - TickLength - 4 - static_cast<int32_t>(text.size()) * CharWidth, r - TextHeight / 2, text);
    }
    canvas.SetPenColour(Black);
    canvas.MoveTo(left_, top_);
    canvas.LineTo(left_, bottom_);
    canvas.LineTo(right_ + 1, bottom_);
  }

  int32_t Left() const { return left_; }
  int32_t Right() const { return right_; }
  int32_t Bottom() const { return bottom_; }

 private:
  Axis x_;
  Axis y_;
  int32_t left_;
  int32_t right_;
  int32_t top_;
  int32_t bottom_;
};

bool Joined(const LinePiece& a, const LinePiece& b, double length) {
  return std::fabs(b.from - a.to) <= 1e-9 * length;
}

}  // namespace

void DrawLineGraph(Canvas& canvas, const LineProfile& profile, const std::string& title) {
  canvas.SetPenMode(PenMode::Copy);
  canvas.SetPenStyle(PenStyle::Solid);
  canvas.SetPenWidth(1);
  canvas.SetBrushStyle(BrushStyle::Solid);
  canvas.SetBrushColour(White);
  canvas.SetPenColour(White);
  canvas.Rectangle(0, 0, canvas.Width(), canvas.Height());

  double low = 0.0;
  double high = 0.0;
  bool any = false;
  for (const LinePiece& p : profile.pieces)
    for (const double v : {p.elementValue, p.averagedFrom, p.averagedTo}) {
      low = any ? std::min(low, v) : v;
      high = any ? std::max(high, v) : v;
      any = true;
    }
  const Frame frame(canvas, NiceAxis(0.0, profile.length), NiceAxis(low, high));
  frame.DrawAxes(canvas);

  canvas.SetFontColour(Black);
  canvas.TextOut(LeftMargin, 10, title);
  canvas.TextOut((frame.Left() + frame.Right()) / 2 - 40, frame.Bottom() + TickLength + 4 + TextHeight, "距离 s (m)");
  canvas.SetFontColour(ElementStepColour);
  canvas.TextOut(frame.Right() - 220, 10, "单元值");
  canvas.SetFontColour(AveragedLineColour);
  canvas.TextOut(frame.Right() - 130, 10, "结点平均值");
  if (!any) {
    canvas.SetFontColour(Black);
    canvas.TextOut(frame.Left() + 12, TopMargin + 12, "直线不经过网格");
    return;
  }

  // The element values: a step on each stretch, risers where stretches meet.
  canvas.SetPenColour(ElementStepColour);
  for (std::size_t k = 0; k < profile.pieces.size(); ++k) {
    const LinePiece& p = profile.pieces[k];
    canvas.MoveTo(frame.Column(p.from), frame.Row(p.elementValue));
    canvas.LineTo(frame.Column(p.to), frame.Row(p.elementValue));
    if (k + 1 < profile.pieces.size() && Joined(p, profile.pieces[k + 1], profile.length))
      canvas.LineTo(frame.Column(p.to), frame.Row(profile.pieces[k + 1].elementValue));
  }
  // The averaged values, linear on each stretch; drawn last, on top.
  canvas.SetPenColour(AveragedLineColour);
  canvas.SetPenWidth(2);
  for (const LinePiece& p : profile.pieces) {
    canvas.MoveTo(frame.Column(p.from), frame.Row(p.averagedFrom));
    canvas.LineTo(frame.Column(p.to), frame.Row(p.averagedTo));
  }
  canvas.SetPenWidth(1);
}

}  // namespace trivane
