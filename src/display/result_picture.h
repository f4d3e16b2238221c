#pragma once
// The one routine that draws what the drawing surface shows: the model, its
// deformed shape or a plot of a result field, with the principal directions
// and a legend on request. The window and trivane-cli render describe the
// picture they want and call it, so both take every drawing decision alike.
#include <optional>

#include "analysis/solution.h"
#include "display/canvas.h"
#include "display/deformed_plot.h"
#include "display/mesh.h"
#include "display/model_drawing.h"
#include "display/palette.h"
#include "display/stress_plot.h"
#include "display/view.h"
#include "model/model.h"
#include "model/result_fields.h"

namespace trivane {

enum class PictureKind { Model, Deformed, Stress };

// What is wanted, as a plain value.
struct PictureSpec {
  PictureKind kind = PictureKind::Model;
  ResultField field = ResultField::SigmaX;  // the field of a Stress picture
  bool smooth = false;     // painted from the averaged values at the corners, not by element
  bool principal = false;  // the principal directions over a Stress picture
  // A Deformed picture's magnification; none draws the largest displacement
  // component 60 pixels long.
  std::optional<double> magnification;
  // A Deformed or Stress picture's legend, in a strip of LegendWidth right of
  // the canvas's visible width (the raster must have room for it).
  bool legend = false;
  Outlines outlines = Outlines::Auto;  // not for a smooth plot, which has none
  ViewTransform view{};                // fitted, or zoomed to a part of the model
};

// What the picture is drawn from. A Deformed or Stress picture needs the
// results of the model (Error(ComputeFirst) where they do not cover it);
// counts receives the node and element counts where a picture shows them.
struct PictureSource {
  const Model& model;
  const Solution* results = nullptr;
  const Palette& palette;
  CountSink* counts = nullptr;
};

// What was drawn: the view as drawn (a fitted view fitted to the canvas),
// the values a Stress picture painted and the scale of a Deformed one.
struct DrawnPicture {
  ViewTransform view{};
  ValueRange range{};
  DeformedScale deformed{};
};

// Draws the picture the spec describes; throws Error as the plot it draws.
DrawnPicture DrawResultPicture(Canvas& canvas, const PictureSpec& spec, const PictureSource& source);

}  // namespace trivane
