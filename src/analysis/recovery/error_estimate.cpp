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

// A ring's share of the error and of the energy: the volume element is 2 pi
// r dA where a plane element's is t dA, so each point of the rule weighs its
// circumference; the energy takes the rule the stiffness was integrated with.
struct RingShares {
  double errorSquared;
  double energySquared;
};
RingShares RingElementShares(const FiniteElement& element, const ElementNodes& nodes, const Material& material,
                             const std::vector<StressState>& differences, const StressState& sigma) {
  const std::span<const ReferencePoint> rule = element.ErrorRule();
  const double area = element.Area(nodes);
  double error = 0.0;
  for (std::size_t q = 0; q < rule.size(); ++q)
    error += 2.0 * std::numbers::pi * RadiusAt(element, nodes, rule[q]) * RingCompliance(material, differences[q]);
  double volume = 0.0;
  for (const IntegrationPoint& p : element.IntegrationPoints())
    volume += 2.0 * std::numbers::pi * RadiusAt(element, nodes, p.at) * element.AreaScale(nodes, p.at) * 0.5 * p.weight;
  return {area / static_cast<double>(rule.size()) * error, volume * RingCompliance(material, sigma)};
}

}  // namespace

ErrorEstimate EstimateError(const Model& model, const ElementMaterials& sides,
                            const std::vector<StressState>& elementStresses, const NodalStresses& recovered) {
  ErrorEstimate estimate;
  const int32_t m = std::max(model.elementCount, 0);
  estimate.elementError.resize(static_cast<std::size_t>(m));
  const FiniteElement& element = ElementTypeOf(model);
  const int32_t nodeCount = element.NodeCount();
  const std::span<const ReferencePoint> rule = element.ErrorRule();
  std::vector<ShapeValues> shapes;
  for (const ReferencePoint& at : rule) shapes.push_back(element.N(at));
  const bool ring = element.ComponentCount() > PlaneComponents;
  // sigma* - sigma at the nodes, one component at a time.
  std::array<std::array<double, MaxElementNodes>, StressStateSize> difference{};
  std::vector<StressState> atPoints(rule.size());
  for (int32_t e = 1; e <= m; ++e) {
    const StressState& sigma = elementStresses[static_cast<std::size_t>(e - 1)];
    const Material& material = sides.materials[static_cast<std::size_t>(sides.index[static_cast<std::size_t>(e - 1)])].constants;
    const ElementNodes nodes = NodesOf(model, e);
    const double area = element.Area(nodes);
    for (int32_t k = 0; k < nodeCount; ++k)
      for (std::size_t c = 0; c < StressStateSize; ++c)
        difference[c][static_cast<std::size_t>(k)] = recovered.AtCorner(e, k)[c] - sigma[c];
    if (ring) {
      for (std::size_t q = 0; q < rule.size(); ++q)
        for (std::size_t c = 0; c < StressStateSize; ++c)
          atPoints[q][c] = Interpolate(shapes[q], std::span<const double>(difference[c]).first(static_cast<std::size_t>(nodeCount)));
      const RingShares shares = RingElementShares(element, nodes, material, atPoints, sigma);
      estimate.elementError[static_cast<std::size_t>(e - 1)] = std::sqrt(shares.errorSquared);
      estimate.errorSquared += shares.errorSquared;
      estimate.energySquared += shares.energySquared;
      continue;
    }
    // The rule's points share the area equally.
    double sum = 0.0;
    for (const ShapeValues& n : shapes) {
      StressState at;
      for (std::size_t c = 0; c < 3; ++c)
        at[c] = Interpolate(n, std::span<const double>(difference[c]).first(static_cast<std::size_t>(nodeCount)));
      sum += Compliance(material, at);
    }
    const double squared = material.t * area / static_cast<double>(rule.size()) * sum;
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
