// The analysis of each adaptive round: the compute command, whose results
// carry the recovery estimate of the error.
#include <algorithm>

#include "analysis/adaptivity/adaptive_meshing.h"
#include "analysis/compute.h"

namespace trivane {

MeshAnalyser ComputeAndEstimate(SolverChoice solver) {
  return [solver](const Model& model, AnalysisTables& tables) {
    Compute(model, tables, solver);
    MeshAnalysis analysis;
    analysis.elementErrors = tables.error.elementError;
    analysis.solutionNormSquared = tables.error.energySquared;
    analysis.errorPercent = 100.0 * tables.error.relative;
    const std::span<const double> mises = MisesValues(tables);
    analysis.maxMises = mises.empty() ? 0.0 : *std::max_element(mises.begin(), mises.end());
    return analysis;
  };
}

}  // namespace trivane
