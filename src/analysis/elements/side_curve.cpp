#include "analysis/elements/side_curve.h"

#include <algorithm>
#include <cmath>

#include "analysis/checked.h"

namespace trivane {

namespace {

// Gauss-Legendre on [0, 1] with three points: exact to degree 5.
constexpr double GaussOffset = 0.3872983346207417;  // sqrt(3/5) / 2
const double GaussAt[3] = {0.5 - GaussOffset, 0.5, 0.5 + GaussOffset};
const double GaussWeight[3] = {5.0 / 18.0, 8.0 / 18.0, 5.0 / 18.0};

}  // namespace

// The side's pieces between the crossings are loaded or dry as a whole.
std::vector<double> WaterBreaks(const SideCurve& c, double level) {
  const double y0 = c.first.y, y1 = c.second.y, ym = c.middle.y;
  const double a = 2.0 * y0 + 2.0 * y1 - 4.0 * ym, b = -3.0 * y0 - y1 + 4.0 * ym, k = y0 - level;
  std::vector<double> breaks{0.0};
  const auto keep = [&](double s) {
    if (s > 0.0 && s < 1.0) breaks.push_back(s);
  };
  const double scale = std::fabs(b) + std::fabs(k);
  if (std::fabs(a) <= 1e-12 * scale) {
    if (b != 0.0) keep(-k / b);
  } else {
    const double disc = b * b - 4.0 * a * k;
    if (disc >= 0.0) {
      // The root of larger magnitude first, the other from the product, to
      // keep the cancellation out of either.
      const double q = -0.5 * (b + std::copysign(std::sqrt(disc), b));
      if (q != 0.0) {
        keep(q / a);
        keep(k / q);
      }
    }
  }
  std::sort(breaks.begin(), breaks.end());
  breaks.push_back(1.0);
  return breaks;
}

SideForces SideLoadForces(const EdgeLoad& load, const SideCurve& curve, double sense, int32_t nodes,
                          const std::function<double(PlanePoint)>& depth) {
  const std::vector<double> breaks =
      load.kind == EdgeLoadKind::Water ? WaterBreaks(curve, load.a) : std::vector<double>{0.0, 1.0};
  const auto count = static_cast<std::size_t>(nodes);
  SideForces f{};
  for (std::size_t piece = 0; piece + 1 < breaks.size(); ++piece) {
    const double s0 = breaks[piece], length = breaks[piece + 1] - s0;
    if (load.kind == EdgeLoadKind::Water && load.b * (load.a - curve.Y(s0 + 0.5 * length)) <= 0.0) continue;
    for (std::size_t g = 0; g < 3; ++g) {
      const double s = s0 + length * GaussAt[g];
      const PlanePoint tangent = curve.Tangent(s);
      Force density;
      if (load.kind == EdgeLoadKind::Traction) {
        const double ds = std::hypot(tangent.x, tangent.y);
        density = {load.a * ds, load.b * ds};
      } else {
        // A pressure pushes against the outward normal (sense (y', -x')).
        const double q = load.kind == EdgeLoadKind::Pressure ? load.a : load.b * (load.a - curve.Y(s));
        density = {-q * sense * tangent.y, q * sense * tangent.x};
      }
      const std::array<double, 3> m = count == 3 ? curve.M(s) : std::array<double, 3>{1.0 - s, s, 0.0};
      const double w = length * GaussWeight[g] * depth(curve.At(s));
      for (std::size_t k = 0; k < count; ++k) {
        f[k].x += w * m[k] * density.x;
        f[k].y += w * m[k] * density.y;
      }
    }
  }
  for (std::size_t k = 0; k < count; ++k) {
    checked::Finite(f[k].x);
    checked::Finite(f[k].y);
  }
  return f;
}

}  // namespace trivane
