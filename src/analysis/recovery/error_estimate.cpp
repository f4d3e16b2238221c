#include "analysis/recovery/error_estimate.h"

#include <cmath>

#include "analysis/elements/finite_element.h"

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
                            const std::vector<StressState>& elementStresses, const NodalStresses& recovered,
                            std::span<const StressState> atNodes) {
  ErrorEstimate estimate;
  const int32_t m = std::max(model.elementCount, 0);
  estimate.elementError.resize(static_cast<std::size_t>(m));
  const FiniteElement& element = ElementTypeOf(model);
  const auto nodeCount = static_cast<std::size_t>(element.NodeCount());
  // sigma* - sigma at the nodes, one component at a time: both fields are
  // interpolated by the shape functions, so their difference is too.
  std::array<std::array<double, MaxElementNodes>, 3> difference{};
  std::array<std::array<double, MaxElementNodes>, 3> own{};
  for (int32_t e = 1; e <= m; ++e) {
    const auto index = static_cast<std::size_t>(e - 1);
    const StressState& sigma = elementStresses[index];
    const Material& material = sides.materials[static_cast<std::size_t>(sides.index[index])].constants;
    const ElementNodes nodes = NodesOf(model, e);
    const double area = element.Area(nodes);
    for (std::size_t k = 0; k < nodeCount; ++k) {
      const StressState& at = atNodes.empty() ? sigma : atNodes[nodeCount * index + k];
      for (std::size_t c = 0; c < 3; ++c) {
        difference[c][k] = recovered.AtCorner(e, static_cast<int32_t>(k))[c] - at[c];
        own[c][k] = at[c];
      }
    }
    // The rule's shares are taken relative to an equal share, so a rule of
    // equal shares adds its points' values as they are.
    const ErrorRulePoints rule = element.ErrorRule(nodes);
    const auto points = static_cast<double>(rule.count);
    double sum = 0.0, energy = 0.0;
    for (const IntegrationPoint& q : rule.Points()) {
      const ShapeValues n = element.N(q.at);
      StressState at, sigmaAt;
      for (std::size_t c = 0; c < 3; ++c) {
        at[c] = Interpolate(n, std::span<const double>(difference[c]).first(nodeCount));
        sigmaAt[c] = Interpolate(n, std::span<const double>(own[c]).first(nodeCount));
      }
      sum += q.weight * points * Compliance(material, at);
      energy += q.weight * points * Compliance(material, sigmaAt);
    }
    const double squared = material.t * area / points * sum;
    estimate.elementError[index] = std::sqrt(squared);
    estimate.errorSquared += squared;
    // The element's share of u^T K u = t integral of eps^T D eps dA
    // = t integral of sigma^T D^-1 sigma dA, since sigma = D B ue and Ke is
    // the integral of B^T D B t; for a uniform stress t A sigma^T D^-1 sigma.
    estimate.energySquared += atNodes.empty() ? material.t * area * Compliance(material, sigma)
                                              : material.t * area / points * energy;
  }
  const double total = estimate.errorSquared + estimate.energySquared;
  estimate.relative = total > 0.0 ? std::sqrt(estimate.errorSquared / total) : 0.0;
  return estimate;
}

}  // namespace trivane
