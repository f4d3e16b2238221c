#include "display/legend.h"

#include <algorithm>

#include "io/number_text.h"

namespace trivane {

namespace {

constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};

// Layout of the strip, in pixels from its left column and its top row.
constexpr int32_t Margin = 12;
constexpr int32_t TitleHeight = 28;
constexpr int32_t BarWidth = 24;
constexpr int32_t LabelGap = 6;
constexpr int32_t TextHalfHeight = 7;  // labels are centred on their row
constexpr int32_t ValueDigits = 5;

void ClearStrip(Canvas& canvas, int32_t left, int32_t height) {
  canvas.SetPenMode(PenMode::Copy);
  canvas.SetPenStyle(PenStyle::Solid);
  canvas.SetPenWidth(1);
  canvas.SetPenColour(Black);
  canvas.SetBrushStyle(BrushStyle::Solid);
  canvas.SetBrushColour(Black);
  canvas.Rectangle(left, 0, left + LegendWidth, height);
  canvas.SetFontColour(White);
}

}  // namespace

// Colour k covers the rows (or columns) from k * length / 150 up to the next
// colour's, so every colour gets its share of a bar of any length.
void DrawColourBar(Canvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, bool horizontal,
                   bool uniform, const Palette& palette) {
  canvas.SetPenMode(PenMode::Copy);
  canvas.SetPenStyle(PenStyle::Solid);
  canvas.SetPenWidth(1);
  canvas.SetBrushStyle(BrushStyle::Solid);
  const int32_t start = horizontal ? left : top;
  const int32_t length = horizontal ? right - left : bottom - top;
  for (int32_t k = 0; k < PaletteSize; ++k) {
    const int32_t from = start + k * length / PaletteSize;
    const int32_t to = start + (k + 1) * length / PaletteSize;
    if (to <= from) continue;
    const Rgb colour = palette.colours[static_cast<std::size_t>(uniform ? MiddleColour : k)];
    canvas.SetBrushColour(colour);
    canvas.SetPenColour(colour);
    if (horizontal) {
      canvas.Rectangle(from, top, to, bottom);
    } else {
      canvas.Rectangle(left, from, right, to);
    }
  }
}

void DrawStressLegend(Canvas& canvas, int32_t left, int32_t height, const std::string& title, ValueRange range,
                      const Palette& palette) {
  ClearStrip(canvas, left, height);
  canvas.TextOut(left + Margin, Margin, title);

  const int32_t top = Margin + TitleHeight;
  const int32_t barHeight = std::max(height - top - Margin, 1);
  const int32_t barLeft = left + Margin;
  const bool uniform = IsUniform(range);
  DrawColourBar(canvas, barLeft, top, barLeft + BarWidth, top + barHeight, false, uniform, palette);

  const int32_t labelLeft = barLeft + BarWidth + LabelGap;
  canvas.SetPenColour(White);
  if (uniform) {
    canvas.TextOut(labelLeft, top + barHeight / 2 - TextHalfHeight, FormatSignificant(range.max, ValueDigits));
    return;
  }
  // The largest value at the top, the smallest at the bottom, three between.
  constexpr int32_t Steps = 4;
  for (int32_t s = 0; s <= Steps; ++s) {
    const double value = range.max - (range.max - range.min) * s / Steps;
    const int32_t row = top + (barHeight - 1) * s / Steps;
    canvas.MoveTo(barLeft + BarWidth, row);
    canvas.LineTo(barLeft + BarWidth + LabelGap / 2, row);
    canvas.TextOut(labelLeft, std::clamp(row - TextHalfHeight, top - TextHalfHeight, height - 2 * TextHalfHeight),
                   FormatSignificant(value, ValueDigits));
  }
}

void DrawDeformedLegend(Canvas& canvas, int32_t left, int32_t height, const DeformedScale& scale) {
  ClearStrip(canvas, left, height);
  canvas.TextOut(left + Margin, Margin, "位移放大 " + FormatSignificant(scale.magnification, 4) + " 倍");
  canvas.TextOut(left + Margin, Margin + TitleHeight, "最大位移");
  canvas.TextOut(left + Margin, Margin + 2 * TitleHeight,
                 FormatSignificant(scale.largestDisplacement, ValueDigits) + " m");
  if (scale.largestNode > 0)
    canvas.TextOut(left + Margin, Margin + 3 * TitleHeight, "结点 " + FormatInteger(scale.largestNode));
}

}  // namespace trivane
