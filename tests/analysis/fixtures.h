#pragma once
// Small models for the analysis tests.
#include <initializer_list>
#include <memory>

#include "analysis/solvers/system.h"
#include "model/model.h"

namespace trivane::testing {

struct NodeSpec {
  double x, y;
  int32_t restraint = 0;
  double load = 0.0;
  double loadAngle = 0.0;
};

inline Model MakeModel(std::initializer_list<NodeSpec> nodes, std::initializer_list<Element> elements,
                       Material material = {0.25, 1.0, 1.0}) {
  Model m;
  for (const NodeSpec& n : nodes) {
    Node& node = m.nodes[static_cast<std::size_t>(++m.nodeCount)];
    node.x = n.x;
    node.y = n.y;
    node.restraint = n.restraint;
    node.load = n.load;
    node.loadAngle = n.loadAngle;
  }
  for (const Element& e : elements) m.elements[static_cast<std::size_t>(++m.elementCount)] = e;
  m.material = material;
  return m;
}

// The unit right triangle with E = 1, mu = 0.25, t = 1.
inline Model UnitTriangle(Element corners = {1, 2, 3}) { return MakeModel({{0, 0}, {1, 0}, {0, 1}}, {corners}); }

// The dense system of one build as the Gauss-Jordan path holds it, with the
// stress matrices the build keeps; stressMatrix(e, row, column) is numbered
// from 1 as the formulas number it.
struct DenseBuild {
  GlobalStiffness stiffness;
  LoadVector loads;
  StressMatrices stresses;
  PivotGuard guard;
  double stressMatrix(int32_t element, int32_t row, int32_t column) const {
    return stresses.Row(element, 0, row - 1)[column - 1];
  }
};

inline std::unique_ptr<DenseBuild> Build(const Model& m) {
  auto b = std::make_unique<DenseBuild>();
  b->guard = BuildSystem(m, SystemInputOf(m), b->stiffness, b->loads, b->stresses);
  return b;
}

}  // namespace trivane::testing
