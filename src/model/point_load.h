#pragma once
// A point load as the node table holds it, a magnitude and a direction in
// degrees from +x towards +y, and its x and y parts: the one conversion the
// analysis and the condition edits share, so that a load means the same
// force wherever it is read.
namespace trivane {

struct LoadParts {
  double x = 0.0;
  double y = 0.0;
};

// load (cos a, sin a). Exact for every direction along an axis (0, 90, 180,
// 270 and any angle differing from them by whole turns): there the cosine or
// sine of the angle in rounded radians would leave a residue such as 6e-17
// where a user typed a plain vertical or horizontal load.
LoadParts PointLoadParts(double load, double angleDegrees);

}  // namespace trivane
