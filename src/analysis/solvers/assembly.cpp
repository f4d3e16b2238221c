#include "analysis/solvers/assembly.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "analysis/checked.h"
#include "analysis/loads/loads.h"

namespace trivane {

Fixity FixityOf(const Node& node) {
  return {node.restraint == FixedX || node.restraint == FixedXY, node.restraint == FixedY || node.restraint == FixedXY};
}

Fixity FixityOf(const Model& model, int32_t node) {
  Fixity f = FixityOf(model.nodes[node]);
  if (model.entered.problem == Axisymmetric && model.nodes[node].x == 0.0) f.x = true;
  return f;
}

SystemInput SystemInputOf(const Model& model) {
  SystemInput input;
  input.materials = ElementMaterialsOf(model);
  input.forces = NodalForces(model);
  input.initialStresses = InitialStresses(model, input.materials);
  input.fixed.assign(static_cast<std::size_t>(2 * std::max(model.nodeCount, 0)), 0);
  for (int32_t i = 1; i <= model.nodeCount; ++i) {
    const auto [fixX, fixY] = FixityOf(model, i);
    input.fixed[static_cast<std::size_t>(2 * i - 2)] = fixX;
    input.fixed[static_cast<std::size_t>(2 * i - 1)] = fixY;
  }
  return input;
}

double AssembleStiffness(const Model& model, const ElementMaterials& materials, StressMatrices& stressMatrices,
                         StiffnessSink& sink) {
  const FiniteElement& element = ElementTypeOf(model);
  const int32_t nodes = element.NodeCount();
  stressMatrices.points = static_cast<int32_t>(element.StressPoints().size());
  stressMatrices.rows = element.ComponentCount();
  stressMatrices.dofs = 2 * nodes;
  const std::size_t block = static_cast<std::size_t>(stressMatrices.points) *
                            static_cast<std::size_t>(stressMatrices.rows) * static_cast<std::size_t>(2 * nodes);
  stressMatrices.values.resize(static_cast<std::size_t>(std::max(model.elementCount, 0)) * block);
  // The floor needs the diagonal before the restraints, fixed degrees of
  // freedom included. It collects the same terms in the same order as the
  // system's own diagonal.
  std::vector<double> diagonal(static_cast<std::size_t>(2 * std::max(model.nodeCount, 0)) + 1, 0.0);
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const ElementNodes at = NodesOf(model, e);
    if (element.Folded(at)) throw Error(messages::ElementFolded(e));
    const ElementMatrices m = element.Matrices(at, materials.Of(e).constants);
    double* kept = stressMatrices.values.data() + static_cast<std::size_t>(e - 1) * block;
    for (int32_t p = 0; p < stressMatrices.points; ++p)
      for (int32_t row = 0; row < stressMatrices.rows; ++row) kept = std::copy_n(m.stress[p][row], m.dofCount, kept);
    // An element with a repeated node adds twice into one entry, and the
    // order of those sums is part of the result.
    for (int r = 0; r < nodes; ++r)
      for (int s = 0; s < nodes; ++s)
        for (const auto& [i, j] : {std::pair{2 * r, 2 * s}, std::pair{2 * r + 1, 2 * s}, std::pair{2 * r, 2 * s + 1},
                                  std::pair{2 * r + 1, 2 * s + 1}}) {
          const int32_t row = m.dof[static_cast<std::size_t>(i)];
          const int32_t column = m.dof[static_cast<std::size_t>(j)];
          sink.Add(row, column, m.stiffness[i][j]);
          if (row == column) {
            double& d = diagonal[static_cast<std::size_t>(row)];
            d = checked::Add(d, m.stiffness[i][j]);
          }
        }
  }
  double largest = 0.0;
  for (std::size_t d = 1; d < diagonal.size(); ++d) largest = std::max(largest, std::fabs(diagonal[d]));
  return RelativePivotFloor * largest;
}

}  // namespace trivane
