#include "analysis/recovery/error_estimate.h"

#include <cmath>
#include <numbers>

#include "analysis/elements/axisymmetric_element.h"

namespace trivane {

namespace {

// s^T D^-1 s for the plane-stress D of (E, mu): D^-1 = 1/E [1 -mu 0; -mu 1 0; 0 0 2(1 + mu)].
// Plane strain arrives here already converted, so the same form serves both.
double Compliance(const Material& material, const StressState& s) {
  const double mu = material.mu;
  return (s[0] * s[0] + s[1] * s[1] - 2.0 * mu * s[0] * s[1] + 2.0 * (1.0 + mu) * s[2] * s[2]) / material.E;
}

// The same for a solid of revolution, whose D is three-dimensional: the hoop
// stress s[3] joins the direct stresses.
double RingCompliance(const Material& material, const StressState& s) {
  const double mu = material.mu;
  const double direct = s[0] * s[0] + s[1] * s[1] + s[3] * s[3] - 2.0 * mu * (s[0] * s[1] + s[1] * s[3] + s[3] * s[0]);
  return (direct + 2.0 * (1.0 + mu) * s[2] * s[2]) / material.E;
}

constexpr double TwoPi = 2.0 * std::numbers::pi;

// The volume of a ring element, by the rule its stiffness is integrated with.
double RingVolume(const FiniteElement& element, const ElementNodes& nodes) {
  double volume = 0.0;
  for (const IntegrationPoint& p : element.IntegrationPoints())
    volume += TwoPi * RadiusAt(element, nodes, p.at) * element.AreaScale(nodes, p.at) * 0.5 * p.weight;
  return volume;
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
  // A ring's volume element is 2 pi r dA where a plane element's is t dA, and
  // its D is three-dimensional, with the hoop stress.
  const bool ring = element.ComponentCount() > PlaneComponents;
  const auto compliance = ring ? RingCompliance : Compliance;
  // sigma* - sigma at the nodes, one component at a time: both fields are
  // interpolated by the shape functions, so their difference is too.
  std::array<std::array<double, MaxElementNodes>, StressStateSize> difference{};
  std::array<std::array<double, MaxElementNodes>, StressStateSize> own{};
  for (int32_t e = 1; e <= m; ++e) {
    const auto index = static_cast<std::size_t>(e - 1);
    const StressState& sigma = elementStresses[index];
    const Material& material = sides.materials[static_cast<std::size_t>(sides.index[index])].constants;
    const ElementNodes nodes = NodesOf(model, e);
    const double area = element.Area(nodes);
    for (std::size_t k = 0; k < nodeCount; ++k) {
      const StressState& at = atNodes.empty() ? sigma : atNodes[nodeCount * index + k];
      for (std::size_t c = 0; c < StressStateSize; ++c) {
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
      for (std::size_t c = 0; c < StressStateSize; ++c) {
        at[c] = Interpolate(n, std::span<const double>(difference[c]).first(nodeCount));
        sigmaAt[c] = Interpolate(n, std::span<const double>(own[c]).first(nodeCount));
      }
      // A ring's point weighs its circumference; a plane element's t is taken below.
      const double weight = q.weight * points * (ring ? TwoPi * RadiusAt(element, nodes, q.at) : 1.0);
      sum += weight * compliance(material, at);
      energy += weight * compliance(material, sigmaAt);
    }
    const double depth = ring ? 1.0 : material.t;
    const double squared = depth * area / points * sum;
    estimate.elementError[index] = std::sqrt(squared);
    estimate.errorSquared += squared;
    // The element's share of u^T K u = t integral of eps^T D eps dA
    // = t integral of sigma^T D^-1 sigma dA, since sigma = D B ue and Ke is
    // the integral of B^T D B t; for a uniform stress t A sigma^T D^-1 sigma.
    if (!atNodes.empty())
      estimate.energySquared += depth * area / points * energy;
    else if (ring)
      estimate.energySquared += RingVolume(element, nodes) * RingCompliance(material, sigma);
    else
      estimate.energySquared += material.t * area * Compliance(material, sigma);
  }
  const double total = estimate.errorSquared + estimate.energySquared;
  estimate.relative = total > 0.0 ? std::sqrt(estimate.errorSquared / total) : 0.0;
  return estimate;
}

}  // namespace trivane
