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
                          const StressVector* initialStress = nullptr);

// A point's stresses with the hoop stress of a solid of revolution: sigma 1
// and sigma 2 become the larger two of the three principal stresses, the
// in-plane pair and sigma theta, and tau max half the difference of the
// largest and the least.
void TakeHoop(PointStresses& s, double hoop);

struct RecoveredStresses {
  std::array<std::vector<double>, StressComponentCount> components;
  std::vector<double> hoop;  // sigma theta, where the stress matrices have its row; else empty
};

// Every stress point of elements 1..elementCount, laid out as Solution's
// stresses. displacements[d - 1] is degree of freedom d; initialStresses
// (SystemInput's) is empty or holds every element's D eps0, its fourth entry
// the hoop part.
RecoveredStresses RecoverStresses(const Model& model, const StressMatrices& stressMatrices,
                                  std::span<const double> displacements,
                                  const std::vector<StressVector>& initialStresses = {});

}  // namespace trivane
