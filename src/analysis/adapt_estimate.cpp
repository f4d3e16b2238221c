// The analysis of each adaptive round: the compute command, whose results
// carry the recovery estimate of the error and the recovered peak.
#include <algorithm>

#include "analysis/adaptive_meshing.h"
#include "analysis/compute.h"
#include "analysis/stress_peak.h"

namespace trivane {

MeshAnalyser ComputeAndEstimate(SolverChoice solver, StressRecovery recovery) {
  return [solver, recovery](const Model& model, AnalysisTables& tables) {
    Compute(model, tables, solver, recovery);
    MeshAnalysis analysis;
    analysis.elementErrors = tables.error.elementError;
    analysis.solutionNormSquared = tables.error.energySquared;
    analysis.errorPercent = 100.0 * tables.error.relative;
    const std::span<const double> mises = MisesValues(tables);
    analysis.maxMises = mises.empty() ? 0.0 : *std::max_element(mises.begin(), mises.end());
    analysis.peak = FindStressPeak(model, ElementMaterialsOf(model), ElementStressStates(tables), tables.averaged);
    return analysis;
  };
}

}  // namespace trivane
