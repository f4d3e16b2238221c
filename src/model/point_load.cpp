#include "model/point_load.h"

#include <cmath>

namespace trivane {

namespace {
constexpr double RadiansPerDegree = 0.017453292519943295;
}  // namespace

LoadParts PointLoadParts(double load, double angleDegrees) {
  if (std::fmod(angleDegrees, 90.0) == 0.0) {
    // The part across the axis is a zero carrying the signs sin(±0) gives, so
    // a load at 0 degrees stays bit for bit what the sine and cosine make.
    const double zero = load * std::copysign(0.0, angleDegrees);
    int quarter = static_cast<int>(std::fmod(angleDegrees, 360.0) / 90.0);  // -3..3
    if (quarter < 0) quarter += 4;
    switch (quarter) {
      case 0: return {load, zero};
      case 1: return {zero, load};
      case 2: return {-load, zero};
      default: return {zero, -load};
    }
  }
  const double angle = angleDegrees * RadiansPerDegree;
  return {load * std::cos(angle), load * std::sin(angle)};
}

}  // namespace trivane
