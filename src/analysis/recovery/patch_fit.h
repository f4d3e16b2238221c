#pragma once
// The polynomial a patch recovery fits to the stresses its elements give at
// their best points. A constant-strain triangle's stress is most accurate at
// its centroid, so each lends that one point and a patch carries a plane. A
// six-node triangle's linear stress is most accurate near the three points
// of its stiffness rule (its Gauss points), so each lends those and a patch
// carries a complete quadratic: one degree above the element's own field,
// which is what lets the recovered field, and so the error estimate, converge
// faster than the element's stresses do.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "analysis/recovery/nodal_stress.h"
#include "model/model.h"

namespace trivane {

// A point an element lends its patches: where it lies, and the element's
// own stress there.
struct PatchSample {
  double x = 0.0, y = 0.0;
  StressState value{};
};

// Every element's samples, perElement each, element e's from [perElement (e - 1)].
struct PatchSamples {
  int32_t perElement = 1;
  std::vector<PatchSample> samples;
  std::span<const PatchSample> Of(int32_t element) const {
    const auto n = static_cast<std::size_t>(perElement);
    return std::span(samples).subspan(n * static_cast<std::size_t>(element - 1), n);
  }
};

// elementStresses[e - 1] is element e's stress at its centroid; atNodes its
// own field at its nodes where that varies (AverageNodalStresses takes them
// alike), interpolated to the sample points by the shape functions.
PatchSamples SamplesOf(const Model& model, const std::vector<StressState>& elementStresses,
                       std::span<const StressState> atNodes);

// sigma(x, y) = mean + gx (x - cx) + gy (y - cy) for each component, with, for
// a quadratic fit, the terms of second degree in the coordinates about the
// samples' centroid scaled by their spread.
struct PatchFit {
  double cx = 0.0, cy = 0.0;
  StressState mean{}, gx{}, gy{};
  bool quadratic = false;
  double scale = 1.0;
  std::array<std::array<double, 6>, StressStateSize> terms{};  // 1, X, Y, X^2, X Y, Y^2 of each component
  StressState At(double x, double y) const;
};

// The least-squares fit over the samples of a patch's elements: a plane for
// one sample per element, a quadratic for more (a plane where the samples
// cannot carry a quadratic). None when the samples cannot carry a plane: all
// on one line (up to rounding: the spread's smaller eigenvalue under 1e-12 of
// the larger), which only collapsed elements give.
std::optional<PatchFit> FitPatch(const PatchSamples& samples, std::span<const int32_t> patch);

}  // namespace trivane
