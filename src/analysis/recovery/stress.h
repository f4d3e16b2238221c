#pragma once
// Stresses at every element's stress points from its stress matrices D B and
// the solved displacements.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/solution.h"
#include "analysis/solvers/assembly.h"
#include "model/model.h"

namespace trivane {

// The six components of one stress point, in StressComponent order.
struct PointStresses {
  double values[StressComponentCount];
};

// sigma x, sigma y and tau xy from the stress matrix rows and the element's
// displacements, less the initial stress D eps0 when there is one, then the
// principal stresses and the largest shear. Throws Error("Floating point
// overflow") if any value overflows.
PointStresses PointStress(const double* const rows[PlaneComponents], std::span<const double> elementDisplacements,
                          const std::array<double, PlaneComponents>* initialStress = nullptr);

// Every stress point of elements 1..elementCount, laid out as Solution's
// stresses. displacements[d - 1] is degree of freedom d; initialStresses
// (SystemInput's) is empty or holds every element's D eps0.
std::array<std::vector<double>, StressComponentCount> RecoverStresses(
    const Model& model, const StressMatrices& stressMatrices, std::span<const double> displacements,
    const std::vector<std::array<double, PlaneComponents>>& initialStresses = {});

}  // namespace trivane
