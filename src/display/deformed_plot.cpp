#include "display/deformed_plot.h"

#include <cmath>
#include <cstddef>

#include "display/mesh.h"
#include "model/errors.h"

namespace trivane {

namespace {

// The length in pixels at which the largest displacement component is drawn.
constexpr double Amplification = 60.0;

double Dof(std::span<const double> displacements, int32_t d) {
  const auto index = static_cast<size_t>(d - 1);
  return index < displacements.size() ? displacements[index] : 0.0;
}

void Restore(Model& model, const NodeBackup& backup, int32_t count) {
  for (int32_t i = 1; i <= count; ++i) {
    model.nodes[i].x = backup.entries[i].x;
    model.nodes[i].y = backup.entries[i].y;
  }
}

}  // namespace

DeformedScale DeformedScaleOf(const Model& model, std::span<const double> displacements, double viewScale) {
  DeformedScale d;
  for (int32_t i = 1; i <= NodesToDraw(model); ++i) {
    const double u = Dof(displacements, 2 * i - 1);
    const double v = Dof(displacements, 2 * i);
    d.largestComponent = std::fmax(d.largestComponent, std::fmax(std::fabs(u), std::fabs(v)));
    const double length = std::hypot(u, v);
    if (length > d.largestDisplacement) {
      d.largestDisplacement = length;
      d.largestNode = i;
    }
  }
  if (d.largestComponent > 0.0 && viewScale > 0.0) d.magnification = Amplification / d.largestComponent / viewScale;
  return d;
}

void DrawDeformedShape(Canvas& canvas, Model& model, NodeBackup& backup,
                       std::span<const double> displacements, ViewTransform& view,
                       CountSink* counts, Outlines outlines) {
  const int32_t n = NodesToDraw(model);
  double m = std::fabs(Dof(displacements, 1));
  for (int32_t d = 1; d <= 2 * n; ++d) {
    if (std::fabs(Dof(displacements, d)) >= m) m = std::fabs(Dof(displacements, d));
  }
  if (m == 0.0 && n >= 1) throw Error(messages::DivisionByZero);

  if (backup.entries.size() <= static_cast<size_t>(n)) backup.entries.resize(static_cast<size_t>(n) + 1);
  for (int32_t i = 1; i <= n; ++i) backup.entries[i] = {model.nodes[i].x, model.nodes[i].y};
  // The redraw refits a fitted view from the same bounds and size; fitting
  // first makes the amplification use exactly the scale the picture is drawn
  // with, zoomed or not.
  UpdateView(view, model.bounds, canvas.Width(), canvas.Height());
  const double s = view.scale;
  for (int32_t i = 1; i <= n; ++i) {
    model.nodes[i].x = model.nodes[i].x + ((Amplification / m) * Dof(displacements, 2 * i - 1)) / s;
    model.nodes[i].y = model.nodes[i].y + ((Amplification / m) * Dof(displacements, 2 * i)) / s;
  }
  try {
    DrawModel(canvas, model, view, counts, outlines);
  } catch (...) {
    Restore(model, backup, n);
    throw;
  }
  Restore(model, backup, n);
}

}  // namespace trivane
