// Which element a model is made of, and an element's nodes as the element
// types read them.
#include "analysis/elements/axisymmetric_element.h"
#include "analysis/elements/constant_strain_triangle.h"

namespace trivane {

// Every model is of three-node triangles; an axisymmetric model's are rings.
const FiniteElement& ElementTypeOf(const Model& model) {
  static const ConstantStrainTriangle triangle;
  static const AxisymmetricElement ring(triangle);
  return model.entered.problem == Axisymmetric ? static_cast<const FiniteElement&>(ring) : triangle;
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

double Interpolate(const ShapeValues& n, std::span<const double> nodeValues) {
  double value = n[0] * nodeValues[0];
  for (std::size_t k = 1; k < nodeValues.size(); ++k) value += n[k] * nodeValues[k];
  return value;
}

}  // namespace trivane
