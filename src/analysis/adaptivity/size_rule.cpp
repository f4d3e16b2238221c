#include "analysis/adaptivity/size_rule.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/elements/finite_element.h"

namespace trivane {

namespace {

double Area(const Model& model, int32_t element) { return ElementTypeOf(model).Area(NodesOf(model, element)); }

const double EquilateralAreaPerSquaredSide = std::sqrt(3.0) / 4.0;

}  // namespace

double ElementSize(const Model& model, int32_t element) {
  return std::sqrt(Area(model, element) / EquilateralAreaPerSquaredSide);
}

std::vector<double> NewElementSizes(const Model& model, std::span<const double> elementErrors,
                                    double solutionNormSquared, double target) {
  const auto m = static_cast<std::size_t>(model.elementCount);
  double errorNormSquared = 0.0;
  for (std::size_t e = 0; e < m; ++e) errorNormSquared += elementErrors[e] * elementErrors[e];
  const double permissible = target * std::sqrt((solutionNormSquared + errorNormSquared) / static_cast<double>(m));

  std::vector<double> sizes(m);
  for (std::size_t e = 0; e < m; ++e) {
    const double h = ElementSize(model, static_cast<int32_t>(e + 1));
    const double xi = elementErrors[e] / permissible;
    // xi is 0 for an element with no error, and NaN when nothing has any
    // energy: both leave the element as coarse as one step allows.
    const double wanted = xi > 0.0 ? h / xi : std::numeric_limits<double>::infinity();
    sizes[e] = std::clamp(wanted, h / MaxRefinementPerStep, h * MaxCoarseningPerStep);
  }
  return sizes;
}

std::vector<double> NodeSizes(const Model& model, std::span<const double> elementSizes) {
  const auto n = static_cast<std::size_t>(model.nodeCount);
  std::vector<double> sizes(n, std::numeric_limits<double>::infinity());
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    for (const int32_t node : model.elements[e].Nodes()) {
      double& size = sizes[static_cast<std::size_t>(node - 1)];
      size = std::min(size, elementSizes[static_cast<std::size_t>(e - 1)]);
    }
  }
  for (double& size : sizes)
    if (std::isinf(size)) size = 0.0;
  return sizes;
}

double PredictedElementCount(const Model& model, std::span<const double> nodeSizes) {
  double count = 0.0;
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const std::span<const int32_t> nodes = model.elements[e].Nodes();
    double inverseSquares = 0.0;
    for (const int32_t node : nodes) {
      const double h = nodeSizes[static_cast<std::size_t>(node - 1)];
      inverseSquares += 1.0 / (h * h);
    }
    count += Area(model, e) / EquilateralAreaPerSquaredSide * inverseSquares / static_cast<double>(nodes.size());
  }
  return count;
}

}  // namespace trivane
