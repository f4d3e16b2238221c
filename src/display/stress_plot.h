#pragma once
// The stress colour plot: every element filled with the palette colour of its
// value, the largest value colour 0, the smallest colour 149.
#include <cstdint>
#include <span>

#include "display/canvas.h"
#include "display/mesh.h"
#include "display/palette.h"
#include "display/view.h"
#include "model/model.h"

namespace trivane {

// The smallest and largest value over the elements drawn; element 1's value
// for a model without elements (0 without any value). values hold
// perElement values an element and must cover the model's elements, else
// Error(ComputeFirst).
struct ValueRange {
  double min = 0.0;
  double max = 0.0;
};
ValueRange PlottedRange(const Model& model, std::span<const double> values, int32_t perElement = 1);

// A field too even to spread over the palette: the spread is zero or at most
// 1e-9 of the largest magnitude, i.e. rounding.
bool IsUniform(ValueRange range);

// The colour of every element of a uniform field.
constexpr int32_t MiddleColour = (PaletteSize - 1) / 2;

// values[e - 1] is element e's value of the chosen component: the element is
// filled with its colour. With perElement 3, values[3 (e - 1) + k] is the
// value at corner k and the element is painted pixel by pixel with the linear
// field between its corners, its own stresses in a six-node triangle. A
// uniform field is painted in MiddleColour. Auto outlines follow
// OutlineShareLimit. Returns the range painted, for a legend.
ValueRange DrawStressPlot(Canvas& canvas, const Model& model, std::span<const double> values,
                          const Palette& palette, ViewTransform& view, Outlines outlines = Outlines::Auto,
                          int32_t perElement = 1);

// The palette index of value v between min and max: 0 for max, 149 for min.
int32_t ColourIndex(double max, double v, double factor);

}  // namespace trivane
