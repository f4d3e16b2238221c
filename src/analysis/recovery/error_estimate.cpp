#include "analysis/recovery/error_estimate.h"

#include <cmath>
#include <numbers>

#include "analysis/elements/axisymmetric_element.h"

namespace trivane {

namespace {

constexpr double TwoPi = 2.0 * std::numbers::pi;

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

}  // namespace

ErrorEstimate EstimateError(const Model& model, const ElementMaterials& sides,
                            const std::vector<StressState>& elementStresses, const NodalStresses& averaged) {
  ErrorEstimate estimate;
  const int32_t m = std::max(model.elementCount, 0);
  estimate.elementError.resize(static_cast<std::size_t>(m));
  const FiniteElement& element = ElementTypeOf(model);
  const int32_t nodeCount = element.NodeCount();
  // A ring's volume element is 2 pi r dA where a plane element's is t dA.
  const bool ring = element.ComponentCount() > PlaneComponents;
  const auto compliance = ring ? RingCompliance : Compliance;
  const std::span<const ReferencePoint> rule = element.ErrorRule();
  std::vector<ShapeValues> shapes;
  for (const ReferencePoint& at : rule) shapes.push_back(element.N(at));
  // sigma* - sigma at the nodes, one component at a time.
  std::array<std::array<double, MaxElementNodes>, MaxComponents> difference{};
  for (int32_t e = 1; e <= m; ++e) {
    const StressState& sigma = elementStresses[static_cast<std::size_t>(e - 1)];
    const Material& material = sides.materials[static_cast<std::size_t>(sides.index[static_cast<std::size_t>(e - 1)])].constants;
    const ElementNodes nodes = NodesOf(model, e);
    const double area = element.Area(nodes);
    const std::size_t components = ring ? MaxComponents : PlaneComponents;
    for (int32_t k = 0; k < nodeCount; ++k)
      for (std::size_t c = 0; c < components; ++c)
        difference[c][static_cast<std::size_t>(k)] = averaged.AtCorner(e, k)[c] - sigma[c];
    // The rule's points share the area equally.
    double sum = 0.0;
    for (std::size_t q = 0; q < rule.size(); ++q) {
      StressState at{};
      for (std::size_t c = 0; c < components; ++c)
        at[c] = Interpolate(shapes[q], std::span<const double>(difference[c]).first(static_cast<std::size_t>(nodeCount)));
      sum += ring ? TwoPi * RadiusAt(element, nodes, rule[q]) * compliance(material, at) : compliance(material, at);
    }
    const double depth = ring ? 1.0 : material.t;
    const double squared = depth * area / static_cast<double>(rule.size()) * sum;
    estimate.elementError[static_cast<std::size_t>(e - 1)] = std::sqrt(squared);
    estimate.errorSquared += squared;
    // The element's share of u^T K u: ue^T Ke ue = t A eps^T D eps = t A sigma^T D^-1 sigma,
    // since sigma = D B ue and Ke = B^T D B t A; a ring's t is 2 pi r at the
    // points its stiffness is integrated at.
    double volume = material.t * area;
    if (ring) {
      volume = 0.0;
      for (const IntegrationPoint& p : element.IntegrationPoints())
        volume += TwoPi * RadiusAt(element, nodes, p.at) * p.weight * area;
    }
    estimate.energySquared += volume * compliance(material, sigma);
  }
  const double total = estimate.errorSquared + estimate.energySquared;
  estimate.relative = total > 0.0 ? std::sqrt(estimate.errorSquared / total) : 0.0;
  return estimate;
}

}  // namespace trivane
