#pragma once
// A result field along a straight line through the model: evenly spaced
// samples for a table, and the exact stretches of the line inside each element
// for a graph (the element value is constant on a stretch; the averaged value
// is linear along a three-node triangle's stretch, so two ends describe it,
// and quadratic along a six-node triangle's, whose stretch is cut into short
// pieces that follow it).
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "model/model.h"

namespace trivane {

// A line's ends and samples are points of the model's plane.
using LinePoint = PlanePoint;

// element is 0 for a sample outside the mesh; its values are then meaningless.
struct LineSample {
  double s = 0.0;  // distance from the first point
  double x = 0.0;
  double y = 0.0;
  int32_t element = 0;
  double elementValue = 0.0;
  double averagedValue = 0.0;
};

struct LinePiece {
  double from = 0.0;  // distances from the first point
  double to = 0.0;
  int32_t element = 0;
  double elementValue = 0.0;
  double averagedFrom = 0.0;
  double averagedTo = 0.0;
};

struct LineProfile {
  double length = 0.0;
  std::vector<LineSample> samples;
  std::vector<LinePiece> pieces;  // in order along the line; where none lies, the line is outside
  bool radial = false;            // the model's x is a radius r and its y the axis z
};

// `points` (at least 2) samples from `from` to `to`, both included. A point on
// a side shared by two elements belongs to the higher-numbered one, the one
// drawn on top. A six-node element holds the points its inverse map takes
// into the reference triangle, so a curved side divides the samples where it
// runs; the averaged value is interpolated by the element's shape functions. elementValues[e - 1] is element e's value, cornerValues
// [n (e - 1) + k] the averaged value at its node k, n nodes per element
// (CornerFieldValues).
LineProfile SampleAlongLine(const Model& model, std::span<const double> elementValues,
                            std::span<const double> cornerValues, LinePoint from, LinePoint to, int32_t points);

}  // namespace trivane
