#pragma once
// The stress colour plot: every element filled with the palette colour of its
// value, the largest value colour 0, the smallest colour 149.
#include <cstdint>
#include <span>

#include "display/canvas.h"
#include "display/palette.h"
#include "display/view.h"
#include "model/model.h"

namespace trivane {

// A field whose values spread by at most this share of their largest
// magnitude (or not at all) is uniform: every element gets MiddleColour.
constexpr double UniformSpread = 1e-9;
constexpr int32_t MiddleColour = (PaletteSize - 1) / 2;

// The values a stress plot showed, for its legend.
struct StressRange {
  double min = 0.0;
  double max = 0.0;
  bool uniform = false;  // drawn in MiddleColour; min and max differ by rounding at most
};

// values[e - 1] is element e's value of the chosen component.
StressRange DrawStressPlot(Canvas& canvas, const Model& model, std::span<const double> values,
                           const Palette& palette, ViewTransform& view);

// The palette index of value v between min and max: 0 for max, 149 for min.
int32_t ColourIndex(double max, double v, double factor);

}  // namespace trivane
