#include "analysis/compute.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/solvers/cholesky.h"
#include "analysis/solvers/diagnosis.h"
#include "analysis/recovery/error_estimate.h"
#include "analysis/elements/material.h"
#include "analysis/recovery/nodal_stress.h"
#include "analysis/recovery/results.h"
#include "analysis/solvers/sparse_system.h"
#include "analysis/recovery/stress.h"
#include "analysis/solvers/system.h"
#include "model/errors.h"

namespace trivane {

namespace {

bool UsesGaussJordan(const Model& model, SolverChoice solver) {
  return solver == SolverChoice::GaussJordan ||
         (solver == SolverChoice::Automatic && model.nodeCount <= MaxGaussJordanNodes);
}

// The dense path: the restrained stiffness assembled in full, in a workspace
// of its own, and solved in place by Gauss-Jordan elimination; the load
// vector becomes the displacements.
std::vector<double> SolveDense(const Model& model, const SystemInput& input, StressMatrices& stressMatrices) {
  const int32_t order = 2 * std::max(model.nodeCount, 0);
  GlobalStiffness stiffness(order);
  LoadVector loads(order);
  const PivotGuard guard = BuildSystem(model, input, stiffness, loads, stressMatrices);
  Solve(stiffness, order, loads, guard);
  return {loads.Values().begin(), loads.Values().end()};
}

// The sparse path: the free part of the same system, factorised by Cholesky;
// a fixed degree of freedom does not move.
std::vector<double> SolveSparse(const Model& model, const SystemInput& input, StressMatrices& stressMatrices) {
  const SparseSystem system = BuildSparseSystem(model, input, stressMatrices);
  const std::vector<double> free = SolveCholesky(system);
  const int32_t order = 2 * std::max(model.nodeCount, 0);
  std::vector<double> displacements(static_cast<std::size_t>(order));
  for (int32_t d = 1; d <= order; ++d) {
    const int32_t c = system.column[static_cast<std::size_t>(d)];
    displacements[static_cast<std::size_t>(d - 1)] = c < 0 ? 0.0 : free[static_cast<std::size_t>(c)];
  }
  return displacements;
}

std::vector<double> SolveEitherWay(const Model& model, const SystemInput& input, SolverChoice solver,
                                   StressMatrices& stressMatrices) {
  try {
    return UsesGaussJordan(model, solver) ? SolveDense(model, input, stressMatrices)
                                          : SolveSparse(model, input, stressMatrices);
  } catch (const Error& e) {
    // Only a failed solve pays for the search of its cause.
    if (std::string_view(e.what()) != messages::SingularMatrix) throw;
    const std::string cause = SingularCause(model);
    if (cause.empty()) throw;
    throw Error(messages::SingularBecause(cause));
  }
}

// The element values of sigma x, sigma y, tau xy and sigma theta, for the averaging.
std::vector<StressState> ElementStates(const Solution& s) {
  std::vector<StressState> states(static_cast<std::size_t>(s.elementCount));
  for (int32_t e = 1; e <= s.elementCount; ++e)
    states[static_cast<std::size_t>(e - 1)] = {StressValue(s, e, SigmaX), StressValue(s, e, SigmaY),
                                               StressValue(s, e, TauXY), HasHoop(s) ? HoopValue(s, e) : 0.0};
  return states;
}

}  // namespace

void CheckAnalysable(const Model& model, SolverChoice solver) {
  if (UsesGaussJordan(model, solver) && model.nodeCount > MaxGaussJordanNodes)
    throw Error(messages::TooManyNodesToAnalyse(model.nodeCount));
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    for (const int32_t corner : model.elements[e].Nodes())
      if (corner < 1 || corner > model.nodeCount) throw Error(messages::ElementNodeMissing(e, corner));
  }
  if (model.entered.problem != Axisymmetric) return;
  for (int32_t i = 1; i <= model.nodeCount; ++i)
    if (model.nodes[i].x < 0.0) throw Error(messages::NegativeRadius(i));
}

Solution Compute(const Model& model, SolverChoice solver) {
  CheckAnalysable(model, solver);
  const SystemInput input = SystemInputOf(model);
  Solution s;
  s.nodeCount = std::max(model.nodeCount, 0);
  s.elementCount = std::max(model.elementCount, 0);
  s.material = model.entered;
  StressMatrices stressMatrices;
  s.displacements = SolveEitherWay(model, input, solver, stressMatrices);
  s.reactions = ComputeReactions(model, input, s.displacements);
  s.stressPoints = stressMatrices.points;
  RecoveredStresses recovered = RecoverStresses(model, stressMatrices, s.displacements);
  s.stresses = std::move(recovered.components);
  s.hoop = std::move(recovered.hoop);
  s.sigma3 = std::move(recovered.sigma3);
  s.mises = ComputeMises(model, s.stresses, s.sigma3, s.stressPoints, model.entered.problem, input.materials);
  s.equilibrium = SumForces(s.reactions, input.forces);
  // The smooth field and the estimate of how far the elements are from it.
  const std::vector<StressState> states = ElementStates(s);
  s.averaged = AverageNodalStresses(model, input.materials, states);
  s.error = EstimateError(model, input.materials, states, s.averaged);
  return s;
}

}  // namespace trivane
