#include "analysis/error_estimate.h"

#include <cmath>


namespace trivane {

namespace {

// s^T D^-1 s for the plane-stress D of (E, mu): D^-1 = 1/E [1 -mu 0; -mu 1 0; 0 0 2(1 + mu)].
// Plane strain arrives here already converted, so the same form serves both.
double Compliance(const Material& material, const StressState& s) {
  const double mu = material.mu;
  return (s[0] * s[0] + s[1] * s[1] - 2.0 * mu * s[0] * s[1] + 2.0 * (1.0 + mu) * s[2] * s[2]) / material.E;
}

}  // namespace

ErrorEstimate EstimateError(const Model& model, const ElementMaterials& sides,
                            const std::vector<StressState>& elementStresses, const NodalStresses& recovered) {
  ErrorEstimate estimate;
  const int32_t m = std::max(model.elementCount, 0);
  estimate.elementError.resize(static_cast<std::size_t>(m));
  for (int32_t e = 1; e <= m; ++e) {
    const StressState& sigma = elementStresses[static_cast<std::size_t>(e - 1)];
    const Material& material = sides.materials[static_cast<std::size_t>(sides.index[static_cast<std::size_t>(e - 1)])].constants;
    const double area = ElementArea(model, e);
    // sigma* - sigma at the corners, then at the mid-sides, where three points
    // weighted A / 3 integrate a quadratic exactly.
    StressState corner[3];
    for (int32_t k = 0; k < 3; ++k)
      for (int c = 0; c < 3; ++c) corner[k][c] = recovered.AtCorner(e, k)[c] - sigma[c];
    double sum = 0.0;
    for (int32_t k = 0; k < 3; ++k) {
      const StressState& a = corner[k];
      const StressState& b = corner[(k + 1) % 3];
      sum += Compliance(material, {(a[0] + b[0]) * 0.5, (a[1] + b[1]) * 0.5, (a[2] + b[2]) * 0.5});
    }
    const double squared = material.t * area / 3.0 * sum;
    estimate.elementError[static_cast<std::size_t>(e - 1)] = std::sqrt(squared);
    estimate.errorSquared += squared;
    // The element's share of u^T K u: ue^T Ke ue = t A eps^T D eps = t A sigma^T D^-1 sigma,
    // since sigma = D B ue and Ke = B^T D B t A.
    estimate.energySquared += material.t * area * Compliance(material, sigma);
  }
  const double total = estimate.errorSquared + estimate.energySquared;
  estimate.relative = total > 0.0 ? std::sqrt(estimate.errorSquared / total) : 0.0;
  return estimate;
}

}  // namespace trivane
