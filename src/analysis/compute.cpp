#include "analysis/compute.h"

#include <algorithm>
#include <vector>

#include "analysis/stress.h"
#include "analysis/system.h"
#include "model/errors.h"

namespace trivane {

void CheckAnalysable(const Model& model) {
  if (model.nodeCount > MaxAnalysisNodes) throw Error(messages::TooManyNodesToAnalyse(model.nodeCount));
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const Element& el = model.elements[static_cast<std::size_t>(e)];
    for (const int32_t corner : {el.node1, el.node2, el.node3})
      if (corner < 1 || corner > model.nodeCount) throw Error(messages::ElementNodeMissing(e, corner));
  }
}

void Compute(const Model& model, AnalysisTables& tables) {
  CheckAnalysable(model);
  const int32_t order = 2 * std::max(model.nodeCount, 0);
  // The plots read the displacements from the load vector, which the build and
  // the solve overwrite; keep them so a failed compute can put them back.
  const auto loads = tables.loads.Values();
  const std::vector<double> previous(loads.begin(), loads.begin() + order);
  try {
    const PivotGuard guard = BuildSystem(model, tables);
    Solve(tables.stiffness, order, tables.loads, guard);
    RecoverStresses(model, tables.stressMatrix, tables.loads, tables.stresses);
  } catch (const Error&) {
    std::copy(previous.begin(), previous.end(), loads.begin());
    throw;
  }
}

}  // namespace trivane
