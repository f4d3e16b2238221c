// The analysis of each adaptive round: the compute command, whose results
// carry the recovery estimate of the error and the recovered peak.
#include <algorithm>

#include "analysis/adaptivity/adaptive_meshing.h"
#include "analysis/compute.h"
#include "analysis/adaptivity/stress_peak.h"

namespace trivane {

MeshAnalyser ComputeAndEstimate(SolverChoice solver, StressRecovery recovery) {
  return [solver, recovery](const Model& model, Solution& solution) {
    solution = Compute(model, solver, recovery);
    MeshAnalysis analysis;
    analysis.elementErrors = solution.error.elementError;
    analysis.solutionNormSquared = solution.error.energySquared;
    analysis.errorPercent = 100.0 * solution.error.relative;
    const std::span<const double> mises = solution.mises;
    analysis.maxMises = mises.empty() ? 0.0 : *std::max_element(mises.begin(), mises.end());
    const ElementMaterials materials = ElementMaterialsOf(model);
    analysis.peak = FindStressPeak(model, materials, ElementStressStates(solution), solution.averaged,
                                   ElementNodeStresses(model, materials, solution));
    return analysis;
  };
}

}  // namespace trivane
