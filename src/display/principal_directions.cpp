#include "display/principal_directions.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "analysis/recovery/nodal_stress.h"
#include "display/mesh.h"

namespace trivane {

namespace {

constexpr int32_t Gap = 4;

double Cross(double ax, double ay, double bx, double by, double px, double py) {
  return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

}  // namespace

void DrawPrincipalDirections(Canvas& canvas, const Model& model, std::span<const double> sigmaX,
                             std::span<const double> sigmaY, std::span<const double> tauXY,
                             const ViewTransform& view) {
  RequireElementResults(model, sigmaX);
  RequireElementResults(model, sigmaY);
  RequireElementResults(model, tauXY);
  const int32_t count = ElementsToDraw(model);
  const int32_t columns = canvas.Width() / PrincipalSpacing;
  const int32_t rows = canvas.Height() / PrincipalSpacing;
  if (columns <= 0 || rows <= 0) return;

  // The element under each sample point, the centre of a grid cell: each
  // element looks only at the cells its pixel box covers.
  std::vector<int32_t> sample(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), 0);
  double largest = 0.0;
  for (int32_t e = 1; e <= count; ++e) {
    const std::span<const int32_t> nodes = CornersOf(model, model.elements[e]);
    if (std::any_of(nodes.begin(), nodes.end(), [&](int32_t n) { return n < 1 || n > NodesToDraw(model); })) continue;
    const auto [s1, s2, tmax] = PrincipalStresses({sigmaX[static_cast<std::size_t>(e - 1)],
                                                   sigmaY[static_cast<std::size_t>(e - 1)],
                                                   tauXY[static_cast<std::size_t>(e - 1)]});
    largest = std::max({largest, std::fabs(s1), std::fabs(s2)});
    double px[3], py[3];
    for (int k = 0; k < 3; ++k) {
      const Node& node = model.nodes[nodes[k]];
      px[k] = (node.x - view.centreX) * view.scale + view.halfWidth;
      py[k] = view.halfHeight - (node.y - view.centreY) * view.scale;
    }
    const double whole = Cross(px[0], py[0], px[1], py[1], px[2], py[2]);
    if (whole == 0.0) continue;
    // The cells whose centres c S + S / 2 lie within the box, kept on the screen.
    const auto first = [](double v) {
      return static_cast<int32_t>(std::clamp(std::ceil((v - PrincipalSpacing / 2.0) / PrincipalSpacing), -1.0, 1e6));
    };
    const auto last = [](double v) {
      return static_cast<int32_t>(std::clamp(std::floor((v - PrincipalSpacing / 2.0) / PrincipalSpacing), -1.0, 1e6));
    };
    const int32_t c0 = std::max(first(std::min({px[0], px[1], px[2]})), 0);
    const int32_t c1 = std::min(last(std::max({px[0], px[1], px[2]})), columns - 1);
    const int32_t r0 = std::max(first(std::min({py[0], py[1], py[2]})), 0);
    const int32_t r1 = std::min(last(std::max({py[0], py[1], py[2]})), rows - 1);
    for (int32_t r = r0; r <= r1; ++r)
      for (int32_t c = c0; c <= c1; ++c) {
        const double x = c * PrincipalSpacing + PrincipalSpacing / 2.0;
        const double y = r * PrincipalSpacing + PrincipalSpacing / 2.0;
        bool inside = true;
        for (int k = 0; k < 3; ++k)
          inside = inside && Cross(px[k], py[k], px[(k + 1) % 3], py[(k + 1) % 3], x, y) * whole >= 0.0;
        if (inside) sample[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c)] = e;
      }
  }
  if (largest == 0.0) return;

  canvas.SetPenMode(PenMode::Copy);
  canvas.SetPenStyle(PenStyle::Solid);
  canvas.SetPenWidth(1);
  const double reach = (PrincipalSpacing - Gap) / 2.0;
  for (int32_t r = 0; r < rows; ++r)
    for (int32_t c = 0; c < columns; ++c) {
      const int32_t e = sample[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c)];
      if (e == 0) continue;
      const double sx = sigmaX[static_cast<std::size_t>(e - 1)];
      const double sy = sigmaY[static_cast<std::size_t>(e - 1)];
      const double txy = tauXY[static_cast<std::size_t>(e - 1)];
      const auto [s1, s2, tmax] = PrincipalStresses({sx, sy, txy});
      // sigma 1 runs at theta from x; the screen's y points down.
      const double theta = 0.5 * std::atan2(2.0 * txy, sx - sy);
      const double dx = std::cos(theta);
      const double dy = -std::sin(theta);
      const double x = c * PrincipalSpacing + PrincipalSpacing / 2.0;
      const double y = r * PrincipalSpacing + PrincipalSpacing / 2.0;
      const auto mark = [&](double ux, double uy, double magnitude, Rgb colour) {
        const double half = reach * std::fabs(magnitude) / largest;
        canvas.SetPenColour(colour);
        canvas.MoveTo(RoundToPixel(x - ux * half), RoundToPixel(y - uy * half));
        canvas.LineTo(RoundToPixel(x + ux * half), RoundToPixel(y + uy * half));
      };
      mark(-dy, dx, s2, Sigma2Colour);
      mark(dx, dy, s1, Sigma1Colour);
    }
}

}  // namespace trivane
