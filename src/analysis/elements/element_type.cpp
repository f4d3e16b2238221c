// Which element a model is made of, and an element's nodes as the element
// types read them.
#include "analysis/elements/axisymmetric_element.h"
#include "analysis/elements/constant_strain_triangle.h"
#include "analysis/elements/quadratic_triangle.h"

namespace trivane {

const FiniteElement& ElementTypeOf(const Model& model) {
  static const ConstantStrainTriangle triangle;
  static const QuadraticTriangle sixNode;
  // An axisymmetric model's elements are the rings the plane ones sweep.
  static const AxisymmetricElement ring(triangle);
  static const AxisymmetricElement sixNodeRing(sixNode);
  const bool axisymmetric = model.entered.problem == Axisymmetric;
  if (model.elementOrder == 2) return axisymmetric ? static_cast<const FiniteElement&>(sixNodeRing) : sixNode;
  return axisymmetric ? static_cast<const FiniteElement&>(ring) : triangle;
}

ConstitutiveMatrix PlaneD(const Material& material) {
  const double f = material.E / (1.0 - material.mu * material.mu);
  return {{{f, f * material.mu, 0.0}, {f * material.mu, f, 0.0}, {0.0, 0.0, f * (1.0 - material.mu) * 0.5}}};
}

StressVector InitialStress(const FiniteElement& element, const Material& material,
                                                  const InitialStrain& eps0) {
  const ConstitutiveMatrix d = element.D(material);
  const auto rows = static_cast<std::size_t>(element.ComponentCount());
  StressVector s{};
  for (std::size_t r = 0; r < rows; ++r) {
    s[r] = d[r][0] * eps0[0];
    for (std::size_t k = 1; k < rows; ++k) s[r] += d[r][k] * eps0[k];
  }
  return s;
}

ElementNodes NodesOf(const Model& model, int32_t element) {
  ElementNodes nodes;
  for (const int32_t n : model.elements[element].Nodes()) {
    const auto k = static_cast<std::size_t>(nodes.count++);
    nodes.number[k] = n;
    nodes.at[k] = {model.nodes[n].x, model.nodes[n].y};
  }
  return nodes;
}

std::span<const int32_t> CornersOf(const Model& model, const Element& element) {
  return element.Nodes().first(static_cast<std::size_t>(ElementTypeOf(model).CornerCount()));
}

bool InReferenceTriangle(ReferencePoint at, double slack) {
  return at.xi >= -slack && at.eta >= -slack && 1.0 - at.xi - at.eta >= -slack;
}

double Interpolate(const ShapeValues& n, std::span<const double> nodeValues) {
  double value = n[0] * nodeValues[0];
  for (std::size_t k = 1; k < nodeValues.size(); ++k) value += n[k] * nodeValues[k];
  return value;
}

}  // namespace trivane
