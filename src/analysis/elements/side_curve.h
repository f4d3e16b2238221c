#pragma once
// An element side as a curve through its ends and its middle, and the
// consistent nodal forces of an edge load along it. The six-node triangle's
// sides are such curves; a three-node ring's straight side is one whose
// middle is the middle of its chord.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "analysis/elements/finite_element.h"

namespace trivane {

// A side as a curve s in [0, 1] through its ends and its middle node, with
// the shape functions M of the three.
struct SideCurve {
  PlanePoint first, second, middle;
  std::array<double, 3> M(double s) const { return {(1.0 - s) * (1.0 - 2.0 * s), s * (2.0 * s - 1.0), 4.0 * s * (1.0 - s)}; }
  PlanePoint Tangent(double s) const {
    const double d0 = 4.0 * s - 3.0, d1 = 4.0 * s - 1.0, dm = 4.0 - 8.0 * s;
    return {d0 * first.x + d1 * second.x + dm * middle.x, d0 * first.y + d1 * second.y + dm * middle.y};
  }
  PlanePoint At(double s) const {
    const std::array<double, 3> m = M(s);
    return {m[0] * first.x + m[1] * second.x + m[2] * middle.x, m[0] * first.y + m[1] * second.y + m[2] * middle.y};
  }
  double Y(double s) const { return At(s).y; }
};

// Where in (0, 1) the water level meets the side: y(s) = level, y quadratic
// in s (linear on a straight side), with 0 and 1 around them in order.
std::vector<double> WaterBreaks(const SideCurve& c, double level);

// The integral along the side of the load times each side node's shape
// function times the depth of the face at that point (a thickness, or a
// ring's circumference 2 pi r), by three-point Gauss on each piece of the
// side: the whole side, or for water its wet pieces, each integrated on its
// own. `nodes` is 2 (the ends, linear shape functions) or 3 (the ends and
// the middle, quadratic); `sense` turns the normal (y', -x') outward.
// Throws Error("Floating point overflow") when a force overflows.
SideForces SideLoadForces(const EdgeLoad& load, const SideCurve& curve, double sense, int32_t nodes,
                          const std::function<double(PlanePoint)>& depth);

}  // namespace trivane
