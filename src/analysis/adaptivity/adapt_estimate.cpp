// The analysis of each adaptive round: the compute command, whose results
// carry the recovery estimate of the error.
#include <algorithm>

#include "analysis/adaptivity/adaptive_meshing.h"
#include "analysis/compute.h"

namespace trivane {

MeshAnalyser ComputeAndEstimate(SolverChoice solver) {
  return [solver](const Model& model, Solution& solution) {
    solution = Compute(model, solver);
    MeshAnalysis analysis;
    analysis.elementErrors = solution.error.elementError;
    analysis.solutionNormSquared = solution.error.energySquared;
    analysis.errorPercent = 100.0 * solution.error.relative;
    const std::span<const double> mises = solution.mises;
    analysis.maxMises = mises.empty() ? 0.0 : *std::max_element(mises.begin(), mises.end());
    return analysis;
  };
}

}  // namespace trivane
