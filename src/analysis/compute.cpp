#include "analysis/compute.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "analysis/solvers/cholesky.h"
#include "analysis/solvers/diagnosis.h"
#include "analysis/recovery/error_estimate.h"
#include "analysis/elements/material.h"
#include "analysis/loads/loads.h"
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

// Each element's mean of its values at its `points` stress points.
std::vector<double> ElementMeans(const std::vector<double>& values, int32_t points) {
  const std::size_t n = static_cast<std::size_t>(points);
  std::vector<double> means(values.size() / n);
  for (std::size_t e = 0; e < means.size(); ++e) {
    double sum = 0.0;
    for (std::size_t p = 0; p < n; ++p) sum += values[e * n + p];
    means[e] = sum / static_cast<double>(n);
  }
  return means;
}

// The smooth field and the estimate of how far the elements are from it.
void RecoverAndEstimate(const Model& model, const ElementMaterials& materials, Solution& s,
                        StressRecovery recovery) {
  const std::vector<StressState> states = ElementStressStates(s);
  const std::vector<StressState> atNodes = ElementNodeStresses(model, materials, s);
  s.averaged = RecoverNodalStresses(model, materials, states, recovery, atNodes);
  s.error = EstimateError(model, materials, states, s.averaged, atNodes);
}

}  // namespace

void CheckAnalysable(const Model& model, SolverChoice solver) {
  if (UsesGaussJordan(model, solver) && model.nodeCount > MaxGaussJordanNodes)
    throw Error(messages::TooManyNodesToAnalyse(model.nodeCount));
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    for (const int32_t corner : model.elements[e].Nodes())
      if (corner < 1 || corner > model.nodeCount) throw Error(messages::ElementNodeMissing(e, corner));
  }
  if (model.entered.problem != Axisymmetric) {
    if (model.conditions.spin != 0.0) throw Error(messages::SpinNeedsAxisymmetric);
    return;
  }
  // A force across the axis would not be the same at every angle.
  if (model.conditions.gravity.gx != 0.0) throw Error(messages::GravityAcrossAxis);
  for (int32_t i = 1; i <= model.nodeCount; ++i)
    if (model.nodes[i].x < 0.0) throw Error(messages::NegativeRadius(i));
}

Solution Compute(const Model& model, SolverChoice solver, StressRecovery recovery) {
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
  RecoveredStresses recovered = RecoverStresses(model, stressMatrices, s.displacements, input.initialStresses);
  const ProblemType problem = model.entered.problem;
  if (s.stressPoints == 1) {
    s.stresses = std::move(recovered.components);
    s.hoop = std::move(recovered.hoop);
    s.mises = ComputeMises(model, s.stresses, s.hoop, 1, problem, input.materials);
  } else {
    s.pointStresses = std::move(recovered.components);
    s.pointHoop = std::move(recovered.hoop);
    s.pointMises = ComputeMises(model, s.pointStresses, s.pointHoop, s.stressPoints, problem, input.materials);
    for (int32_t k = 0; k < StressComponentCount; ++k)
      s.stresses[static_cast<std::size_t>(k)] = ElementMeans(s.pointStresses[static_cast<std::size_t>(k)], s.stressPoints);
    s.hoop = ElementMeans(s.pointHoop, s.stressPoints);
    s.mises = ElementMeans(s.pointMises, s.stressPoints);
  }
  s.equilibrium = SumForces(s.reactions, input.forces);
  RecoverAndEstimate(model, input.materials, s, recovery);
  return s;
}

Solution RecoverAgain(const Model& model, Solution solution, StressRecovery recovery) {
  RecoverAndEstimate(model, ElementMaterialsOf(model), solution, recovery);
  return solution;
}

std::vector<StressState> ElementStressStates(const Solution& s) {
  std::vector<StressState> states(static_cast<std::size_t>(s.elementCount));
  for (int32_t e = 1; e <= s.elementCount; ++e)
    states[static_cast<std::size_t>(e - 1)] = {StressValue(s, e, SigmaX), StressValue(s, e, SigmaY),
                                               StressValue(s, e, TauXY),
                                               s.hoop.empty() ? 0.0 : s.hoop[static_cast<std::size_t>(e - 1)]};
  return states;
}

std::vector<StressState> ElementNodeStresses(const Model& model, const ElementMaterials& materials,
                                            const Solution& s) {
  if (s.stressPoints == 1) return {};
  const FiniteElement& element = ElementTypeOf(model);
  const std::span<const ReferencePoint> corners = element.StressPoints();
  const auto per = static_cast<std::size_t>(element.NodeCount());
  const auto points = static_cast<std::size_t>(s.stressPoints);
  // The strain and stress components: a ring's hoop component too.
  const auto rows = static_cast<std::size_t>(element.ComponentCount());
  std::vector<StressState> values(per * static_cast<std::size_t>(s.elementCount));
  for (std::size_t e = 0; e < static_cast<std::size_t>(s.elementCount); ++e) {
    StressState* own = values.data() + per * e;
    for (std::size_t p = 0; p < points; ++p) {
      for (std::size_t c = 0; c < 3; ++c) own[p][c] = s.pointStresses[c][points * e + p];
      if (!s.pointHoop.empty()) own[p][3] = s.pointHoop[points * e + p];
    }
    // D B ue at each side's middle node, halfway between its ends in the
    // element's own coordinates. On a straight-sided element that is the mean
    // of the ends, the stress being linear; on a curved one it is not, and the
    // six values then follow the element's own field to second order.
    const auto number = static_cast<int32_t>(e + 1);
    const ElementNodes nodes = NodesOf(model, number);
    const ConstitutiveMatrix d = element.D(materials.Of(number).constants);
    // D (B ue - eps0), as at the corners, where a temperature strains it.
    const auto initial = ElementInitialStress(model, materials, number);
    for (int32_t side = 0; side < element.SideCount(); ++side) {
      const std::span<const int32_t> ends = element.SideNodes(side);
      if (ends.size() < 3) continue;
      const ReferencePoint a = corners[static_cast<std::size_t>(ends[0])], b = corners[static_cast<std::size_t>(ends[1])];
      const StrainMatrix strain = element.B(nodes, {0.5 * (a.xi + b.xi), 0.5 * (a.eta + b.eta)});
      double eps[MaxComponents] = {};
      for (std::size_t k = 0; k < per; ++k) {
        const auto node = static_cast<std::size_t>(nodes.number[k]);
        for (std::size_t r = 0; r < rows; ++r)
          eps[r] += strain[r][2 * k] * s.displacements[2 * node - 2] + strain[r][2 * k + 1] * s.displacements[2 * node - 1];
      }
      StressState& middle = own[static_cast<std::size_t>(ends[2])];
      for (std::size_t r = 0; r < rows; ++r) {
        middle[r] = d[r][0] * eps[0];
        for (std::size_t k = 1; k < rows; ++k) middle[r] += d[r][k] * eps[k];
        if (initial) middle[r] -= (*initial)[r];
      }
    }
  }
  return values;
}

}  // namespace trivane
