#include "display/result_picture.h"

#include "analysis/compute.h"
#include "analysis/recovery/fields.h"
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

DeformedScale DrawDeformed(Canvas& canvas, const PictureSpec& spec, const PictureSource& source,
                           ViewTransform& view) {
  return DrawDeformedShape(canvas, source.model, ResultsOf(source).displacements, view, source.counts,
                           spec.magnification, spec.outlines);
}

ValueRange DrawField(Canvas& canvas, const PictureSpec& spec, const PictureSource& source, ViewTransform& view) {
  const Solution& results = ResultsOf(source);
  const Model& model = source.model;
  const ValueRange range =
      spec.smooth
          ? DrawSmoothPlot(canvas, model, CornerFieldValues(model, results, spec.field), source.palette, view)
          : DrawStressPlot(canvas, model, ElementFieldValues(model, results, spec.field), source.palette, view,
                           spec.outlines);
  if (spec.principal)
    DrawPrincipalDirections(canvas, model, StoredElementValues(results, ResultField::SigmaX),
                            StoredElementValues(results, ResultField::SigmaY),
                            StoredElementValues(results, ResultField::TauXY), view);
  return range;
}

}  // namespace

DrawnPicture DrawResultPicture(Canvas& canvas, const PictureSpec& spec, const PictureSource& source) {
  DrawnPicture drawn{spec.view, {}, {}};
  switch (spec.kind) {
    case PictureKind::Model:
      DrawModel(canvas, source.model, drawn.view, source.counts, spec.outlines);
      break;
    case PictureKind::Deformed:
      drawn.deformed = DrawDeformed(canvas, spec, source, drawn.view);
      if (spec.legend) DrawDeformedLegend(canvas, canvas.Width(), canvas.Height(), drawn.deformed);
      break;
    case PictureKind::Stress:
      drawn.range = DrawField(canvas, spec, source, drawn.view);
      if (spec.legend)
        DrawStressLegend(canvas, canvas.Width(), canvas.Height(), ResultFieldTitle(spec.field), drawn.range,
                         source.palette);
      break;
  }
  return drawn;
}

}  // namespace trivane
