#include "display/deformed_plot.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "display/mesh.h"
#include "model/errors.h"

namespace trivane {

DeformedScale DeformedScaleOf(const Model& model, std::span<const double> displacements, double viewScale) {
  RequireNodeResults(model, displacements);
  DeformedScale d;
  for (int32_t i = 1; i <= NodesToDraw(model); ++i) {
    const double u = displacements[static_cast<std::size_t>(2 * i - 2)];
    const double v = displacements[static_cast<std::size_t>(2 * i - 1)];
    d.largestComponent = std::fmax(d.largestComponent, std::fmax(std::fabs(u), std::fabs(v)));
    const double length = std::hypot(u, v);
    if (length > d.largestDisplacement) {
      d.largestDisplacement = length;
      d.largestNode = i;
    }
  }
  if (d.largestComponent > 0.0 && viewScale > 0.0)
    d.magnification = AutomaticDeformationPixels / d.largestComponent / viewScale;
  return d;
}

DeformedScale DrawDeformedShape(Canvas& canvas, const Model& model, std::span<const double> displacements,
                                ViewTransform& view, CountSink* counts, std::optional<double> magnification,
                                Outlines outlines, const Selection* selection) {
  const int32_t n = NodesToDraw(model);
  RequireNodeResults(model, displacements);
  // The automatic magnification is the one of the whole model fitted to the
  // canvas: a zoomed or moved view then shows the same deformed shape as the
  // fitted one, magnified or moved as the element plot is. Fitted, the two
  // views are one and the same.
  ViewTransform whole;
  FitView(whole, model.bounds, canvas.Width(), canvas.Height());
  DeformedScale scale = DeformedScaleOf(model, displacements, whole.scale);
  if (!magnification && scale.largestComponent == 0.0 && n >= 1) throw Error(messages::DivisionByZero);

  // Displaced by (60 / m) u / s in the automatic case, that is 60 pixels for
  // the largest component m at the fitted scale s; by magnification x u otherwise.
  std::vector<NodePosition> positions(static_cast<std::size_t>(n));
  const double pixels = AutomaticDeformationPixels / scale.largestComponent;
  for (int32_t i = 1; i <= n; ++i) {
    const double u = displacements[static_cast<std::size_t>(2 * i - 2)];
    const double v = displacements[static_cast<std::size_t>(2 * i - 1)];
    const Node& node = model.nodes[i];
    positions[static_cast<std::size_t>(i - 1)] =
        magnification ? NodePosition{node.x + *magnification * u, node.y + *magnification * v}
                      : NodePosition{node.x + (pixels * u) / whole.scale, node.y + (pixels * v) / whole.scale};
  }
  if (magnification) scale.magnification = *magnification;
  DrawModel(canvas, model, view, counts, outlines, positions);
  if (selection) DrawSelectionMarkers(canvas, model, *selection, view, positions);
  return scale;
}

}  // namespace trivane
