#pragma once
// The one routine that draws what the drawing surface shows: the model, its
// deformed shape or a plot of a result field, with the principal directions,
// the selection's markers and a legend on request. The window and trivane-cli
// render describe the picture they want and call it, so both take every
// drawing decision alike.
#include <cstdint>
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

// Where a Deformed or Stress picture's legend goes, in a strip of LegendWidth
// at the right: Beside the canvas's visible width, the picture keeping all of
// it (the raster must have room for the strip), as trivane-cli render --legend
// draws it; or Within the canvas, the picture fitted and centred in the part
// left of the strip, as the window draws it where its status bar cannot hold
// the legend. A canvas that would leave the picture under MinPlotWidth pixels
// has no legend Within.
enum class LegendPlace { None, Beside, Within };
constexpr int32_t MinPlotWidth = 64;

// What is wanted, as a plain value.
struct PictureSpec {
  PictureKind kind = PictureKind::Model;
  ResultField field = ResultField::SigmaX;  // the field of a Stress picture
  bool smooth = false;     // painted from the averaged values at the corners, not by element
  bool principal = false;  // the principal directions over a Stress picture
  // A Deformed picture's magnification; none draws the largest displacement
  // component 60 pixels long with the whole model fitted to the picture, so
  // that a zoomed view magnifies the picture and not the deformation.
  std::optional<double> magnification{};
  LegendPlace legend = LegendPlace::None;
  Outlines outlines = Outlines::Auto;  // not for a smooth plot, which has none
  ViewTransform view{};                // fitted, or zoomed to a part of the model: every kind follows it
};

// What the picture is drawn from. A Deformed or Stress picture needs the
// results of the model (Error(ComputeFirst) where they do not cover it);
// counts receives the node and element counts where a picture shows them.
// A selection's markers go over the picture, under its legend: on the
// displaced nodes of a Deformed picture.
struct PictureSource {
  const Model& model;
  const Solution* results = nullptr;
  const Palette& palette;
  CountSink* counts = nullptr;
  const Selection* selection = nullptr;
};

// What was drawn: the view as drawn (a fitted view fitted to the canvas),
// the values a Stress picture painted and the scale of a Deformed one.
struct DrawnPicture {
  ViewTransform view{};
  ValueRange range{};
  DeformedScale deformed{};
};

// Draws the picture a PictureSpec asks for: the model, the deformed shape or a
// field plot, with its legend and the selection on top. Throws Error as the
// plot it draws does (ComputeFirst without results).
DrawnPicture DrawResultPicture(Canvas& canvas, const PictureSpec& spec, const PictureSource& source);

}  // namespace trivane
