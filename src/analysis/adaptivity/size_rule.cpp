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

std::vector<double> IdealElementSizes(const Model& model, std::span<const double> elementErrors,
                                      double solutionNormSquared, double target, double rate) {
  const auto m = static_cast<std::size_t>(model.elementCount);
  double errorNormSquared = 0.0;
  for (std::size_t e = 0; e < m; ++e) errorNormSquared += elementErrors[e] * elementErrors[e];
  const double permissible = target * std::sqrt((solutionNormSquared + errorNormSquared) / static_cast<double>(m));

  std::vector<double> sizes(m);
  for (std::size_t e = 0; e < m; ++e) {
    const double h = ElementSize(model, static_cast<int32_t>(e + 1));
    const double xi = elementErrors[e] / permissible;
    // xi is 0 for an element with no error, and NaN when nothing has any
    // energy: both take the coarsest size the median allows.
    sizes[e] = xi > 0.0 ? h / std::pow(xi, 1.0 / rate) : std::numeric_limits<double>::infinity();
  }
  // The median of the elements that have an error: those without one are
  // what the bound is for.
  std::vector<double> finite;
  for (const double size : sizes)
    if (std::isfinite(size)) finite.push_back(size);
  if (finite.empty()) {
    // Nothing has an error to spread: the mesh stays as it is.
    for (std::size_t e = 0; e < m; ++e) sizes[e] = ElementSize(model, static_cast<int32_t>(e + 1));
    return sizes;
  }
  const auto middle = finite.begin() + static_cast<std::ptrdiff_t>(finite.size() / 2);
  std::nth_element(finite.begin(), middle, finite.end());
  const double coarsest = MaxSizeOverMedian * *middle;
  for (double& size : sizes) size = std::min(size, coarsest);
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
  // The field is linear over the corners (SizeFieldLookup), so only they count.
  const auto corners = static_cast<std::size_t>(ElementTypeOf(model).CornerCount());
  double count = 0.0;
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    double inverseSquares = 0.0;
    for (const int32_t node : model.elements[e].Nodes().first(corners)) {
      const double h = nodeSizes[static_cast<std::size_t>(node - 1)];
      inverseSquares += 1.0 / (h * h);
    }
    count += Area(model, e) / EquilateralAreaPerSquaredSide * inverseSquares / static_cast<double>(corners);
  }
  return count;
}

double ScaleToNodeCount(const Model& model, std::span<const double> nodeSizes, double nodes) {
  // The count goes with 1 / h^2, so a factor s divides it by s^2.
  const double predicted = PredictedNodeCount(PredictedElementCount(model, nodeSizes), model.elementOrder);
  return predicted > nodes ? std::sqrt(predicted / nodes) : 1.0;
}

}  // namespace trivane
