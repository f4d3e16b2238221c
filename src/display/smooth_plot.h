#pragma once
// The smooth plot: every pixel of an element painted with the palette colour
// of the value its shape functions interpolate from its nodes (linearly
// between a three-node triangle's corners, quadratically over a six-node
// triangle's nodes, curved sides followed), with the stress plot's palette,
// range rule and legend. The range is that of the nodes' values: a quadratic
// that overshoots them inside an element paints the end colour there.
#include <span>

#include "display/canvas.h"
#include "display/palette.h"
#include "display/stress_plot.h"
#include "display/view.h"
#include "model/model.h"

namespace trivane {

// cornerValues[n (e - 1) + k] is the value at node k of element e (n nodes per
// element), for every element of the model (else Error(ComputeFirst)). Updates
// the view as the element plot does (a fitted one is fitted afresh, a zoomed
// one stays), clears
// the picture and paints; a uniform field takes MiddleColour. Returns the
// range painted, for the legend.
ValueRange DrawSmoothPlot(Canvas& canvas, const Model& model, std::span<const double> cornerValues,
                          const Palette& palette, ViewTransform& view);

}  // namespace trivane
