#pragma once
// The legends drawn beside a result plot, in a strip of their own to the right
// of the plot, so that the plot keeps every pixel it has without one. The
// window and trivane-cli draw them through the same canvas as the plots.
#include <cstdint>
#include <string>

#include "display/canvas.h"
#include "display/deformed_plot.h"
#include "display/palette.h"
#include "display/stress_plot.h"

namespace trivane {

// The strip's width in pixels.
constexpr int32_t LegendWidth = 160;

// The stress plot's colour bar in the strip whose left column is `left`, rows
// 0 .. height - 1: the component's name at the top, then the palette's 150
// colours from the largest value (colour 0, at the top) down to the smallest
// (colour 149), with the largest, the smallest and three values evenly between
// written beside it. A uniform field (IsUniform) shows its one value beside
// the palette's middle colour.
void DrawStressLegend(Canvas& canvas, int32_t left, int32_t height, const std::string& title, ValueRange range,
                      const Palette& palette);

// The colour bar alone, in the box from (left, top) to (right, bottom),
// right and bottom excluded: colour 0 (the largest value) at the top, or at
// the left when horizontal, colour 149 at the other end; a uniform field
// (IsUniform) fills the box with MiddleColour, the stress plot's own colour
// for it. The legend strip and the window's results area both draw this.
void DrawColourBar(Canvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, bool horizontal,
                   bool uniform, const Palette& palette);

// The deformed plot's scale in the same strip: "位移放大 N 倍" and the largest
// displacement with its node.
void DrawDeformedLegend(Canvas& canvas, int32_t left, int32_t height, const DeformedScale& scale);

}  // namespace trivane
