#pragma once
// The graph of a field along a line: value against the distance from the
// line's first point, with axes, ticks and values; the element values as
// steps, the averaged values as a line, interpolated inside each element, and
// gaps where the line leaves the mesh. The window and trivane-cli draw it
// through the same canvas as the plots.
#include <string>

#include "analysis/recovery/line_samples.h"
#include "display/canvas.h"

namespace trivane {

inline constexpr Rgb ElementStepColour{0, 90, 200};
inline constexpr Rgb AveragedLineColour{210, 0, 0};

// Fills the whole visible surface. title names the field and its unit.
void DrawLineGraph(Canvas& canvas, const LineProfile& profile, const std::string& title);

}  // namespace trivane
