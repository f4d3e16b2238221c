#include "display/result_picture.h"

#include "analysis/compute.h"
#include "analysis/recovery/fields.h"
#include "display/canvas_part.h"
#include "display/legend.h"
#include "display/principal_directions.h"
#include "display/smooth_plot.h"
#include "model/errors.h"

namespace trivane {

namespace {

const Solution& ResultsOf(const PictureSource& source) {
  if (source.results == nullptr) throw Error(messages::ComputeFirst);
  return *source.results;
}

// The markers set the pen and brush: without a selection the canvas keeps
// the attributes the picture left, as it always has.
const Selection* MarkedSelection(const PictureSource& source) {
  return source.selection != nullptr && source.selection->count > 0 ? source.selection : nullptr;
}

DeformedScale DrawDeformed(Canvas& canvas, const PictureSpec& spec, const PictureSource& source,
                           ViewTransform& view) {
  return DrawDeformedShape(canvas, source.model, ResultsOf(source).displacements, view, source.counts,
                           spec.magnification, spec.outlines, MarkedSelection(source));
}

ValueRange DrawField(Canvas& canvas, const PictureSpec& spec, const PictureSource& source, ViewTransform& view) {
  const Solution& results = ResultsOf(source);
  const Model& model = source.model;
  // An element with several stress points shows its own field between them.
  const std::span<const double> points = StoredPointValues(results, spec.field);
  const ValueRange range =
      spec.smooth ? DrawSmoothPlot(canvas, model, CornerFieldValues(model, results, spec.field), source.palette, view)
      : points.empty()
          ? DrawStressPlot(canvas, model, ElementFieldValues(model, results, spec.field), source.palette, view,
                           spec.outlines)
          : DrawStressPlot(canvas, model, points, source.palette, view, spec.outlines, results.stressPoints);
  if (spec.principal)
    DrawPrincipalDirections(canvas, model, StoredElementValues(results, ResultField::SigmaX),
                            StoredElementValues(results, ResultField::SigmaY),
                            StoredElementValues(results, ResultField::TauXY), view);
  if (const Selection* selection = MarkedSelection(source))
    DrawSelectionMarkers(canvas, model, *selection, view);
  return range;
}

bool LegendWithin(const Canvas& canvas, const PictureSpec& spec) {
  return spec.kind != PictureKind::Model && spec.legend == LegendPlace::Within &&
         canvas.Width() - LegendWidth >= MinPlotWidth;
}

}  // namespace

DrawnPicture DrawResultPicture(Canvas& canvas, const PictureSpec& spec, const PictureSource& source) {
  DrawnPicture drawn{spec.view, {}, {}};
  const bool within = LegendWithin(canvas, spec);
  CanvasPart part(canvas, canvas.Width() - LegendWidth);
  Canvas& picture = within ? part : canvas;
  const bool legend = within || spec.legend == LegendPlace::Beside;
  switch (spec.kind) {
    case PictureKind::Model:
      DrawModel(picture, source.model, drawn.view, source.counts, spec.outlines);
      if (const Selection* selection = MarkedSelection(source))
        DrawSelectionMarkers(picture, source.model, *selection, drawn.view);
      break;
    case PictureKind::Deformed:
      drawn.deformed = DrawDeformed(picture, spec, source, drawn.view);
      if (legend) DrawDeformedLegend(canvas, picture.Width(), canvas.Height(), drawn.deformed);
      break;
    case PictureKind::Stress:
      drawn.range = DrawField(picture, spec, source, drawn.view);
      if (legend)
        DrawStressLegend(canvas, picture.Width(), canvas.Height(),
                         ResultFieldTitle(spec.field, source.model.entered.problem), drawn.range, source.palette);
      break;
  }
  return drawn;
}

}  // namespace trivane
