#pragma once
// The deformed shape: every node drawn at its coordinates plus its amplified
// displacement, by the model redraw, from a model that stays as it is.
#include <optional>
#include <span>

#include "display/canvas.h"
#include "display/model_drawing.h"
#include "display/view.h"
#include "model/model.h"

namespace trivane {

// The length in pixels at which the largest displacement component is drawn
// unless the user sets a magnification of their own.
constexpr double AutomaticDeformationPixels = 60.0;

// How the deformed picture is scaled: the largest displacement component, the
// magnification of every displacement (model units per model unit), and the
// largest displacement's length and node.
struct DeformedScale {
  double largestComponent = 0.0;
  double magnification = 0.0;
  double largestDisplacement = 0.0;
  int32_t largestNode = 0;
};
DeformedScale DeformedScaleOf(const Model& model, std::span<const double> displacements, double viewScale);

// displacements[d - 1] is degree of freedom d: node i's x displacement is
// entry 2i - 2, its y displacement 2i - 1, for every node of the model
// (Error(ComputeFirst) otherwise: the results belong to another model).
// Without a magnification the largest component is drawn 60 pixels long, and
// when every displacement is zero (and there is a node) throws
// Error(DivisionByZero) before anything is drawn. The automatic scale is that
// of the whole model fitted to the canvas, so that zooming magnifies the
// picture and not the deformation. A selection's markers go on the displaced
// nodes. Returns the scale drawn.
DeformedScale DrawDeformedShape(Canvas& canvas, const Model& model, std::span<const double> displacements,
                                ViewTransform& view, CountSink* counts,
                                std::optional<double> magnification = std::nullopt,
                                Outlines outlines = Outlines::Auto, const Selection* selection = nullptr);

}  // namespace trivane
