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
// displacements, then the principal stresses and the largest shear. Throws
// Error("Floating point overflow") if any value overflows.
PointStresses PointStress(const double* const rows[PlaneComponents], std::span<const double> elementDisplacements);

// A point's stresses with its hoop stress: sigma 1, sigma 2 and tau max
// become those of the three principal stresses, the in-plane pair and sigma
// theta; returns sigma 3.
double WithHoop(PointStresses& s, double hoop);

struct RecoveredStresses {
  std::array<std::vector<double>, StressComponentCount> components;
  std::vector<double> hoop;    // empty unless the stress matrices have the hoop row
  std::vector<double> sigma3;  // as hoop
};

// Every stress point of elements 1..elementCount, laid out as Solution's
// stresses. displacements[d - 1] is degree of freedom d.
RecoveredStresses RecoverStresses(const Model& model, const StressMatrices& stressMatrices,
                                  std::span<const double> displacements);

}  // namespace trivane
