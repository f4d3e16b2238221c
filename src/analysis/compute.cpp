#include "analysis/compute.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/cholesky.h"
#include "analysis/diagnosis.h"
#include "analysis/error_estimate.h"
#include "analysis/material.h"
#include "analysis/nodal_stress.h"
#include "analysis/results.h"
#include "analysis/sparse_system.h"
#include "analysis/stress.h"
#include "analysis/system.h"
#include "model/errors.h"

namespace trivane {

namespace {

bool UsesGaussJordan(const Model& model, SolverChoice solver) {
  return solver == SolverChoice::GaussJordan ||
         (solver == SolverChoice::Automatic && model.nodeCount <= MaxGaussJordanNodes);
}

// The dense path: the restrained stiffness assembled in full and solved in
// place by Gauss-Jordan elimination; the load vector becomes the displacements.
void SolveDense(const Model& model, const SystemInput& input, AnalysisTables& tables) {
  const PivotGuard guard = BuildSystem(model, input, tables);
  Solve(tables.stiffness, 2 * model.nodeCount, tables.loads, guard);
}

// The sparse path: the free part of the same system, factorised by Cholesky;
// a fixed degree of freedom does not move.
void SolveSparse(const Model& model, const SystemInput& input, AnalysisTables& tables) {
  const SparseSystem system = BuildSparseSystem(model, input, tables.stressMatrix);
  const std::vector<double> free = SolveCholesky(system);
  for (int32_t d = 1; d <= 2 * model.nodeCount; ++d) {
    const int32_t c = system.column[static_cast<std::size_t>(d)];
    tables.loads(d) = c < 0 ? 0.0 : free[static_cast<std::size_t>(c)];
  }
}

void SolveEitherWay(const Model& model, const SystemInput& input, AnalysisTables& tables, SolverChoice solver) {
  try {
    if (UsesGaussJordan(model, solver))
      SolveDense(model, input, tables);
    else
      SolveSparse(model, input, tables);
  } catch (const Error& e) {
    // Only a failed solve pays for the search of its cause.
    if (std::string_view(e.what()) != messages::SingularMatrix) throw;
    const std::string cause = SingularCause(model);
    if (cause.empty()) throw;
    throw Error(messages::SingularBecause(cause));
  }
}

// The smooth field and the estimate of how far the elements are from it.
void RecoverAndEstimate(const Model& model, const ElementMaterials& materials, AnalysisTables& tables,
                        StressRecovery recovery) {
  const std::vector<StressState> stresses = ElementStressStates(tables);
  tables.averaged = RecoverNodalStresses(model, materials, stresses, recovery);
  tables.error = EstimateError(model, materials, stresses, tables.averaged);
}

}  // namespace

void CheckAnalysable(const Model& model, SolverChoice solver) {
  if (UsesGaussJordan(model, solver) && model.nodeCount > MaxGaussJordanNodes)
    throw Error(messages::TooManyNodesToAnalyse(model.nodeCount));
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const Element& el = model.elements[static_cast<std::size_t>(e)];
    for (const int32_t corner : {el.node1, el.node2, el.node3})
      if (corner < 1 || corner > model.nodeCount) throw Error(messages::ElementNodeMissing(e, corner));
  }
}

void Compute(const Model& model, AnalysisTables& tables, SolverChoice solver, StressRecovery recovery) {
  CheckAnalysable(model, solver);
  // The materials and the forces are formed before anything is written: a
  // refused region material or edge load leaves the tables as they were.
  const SystemInput input = SystemInputOf(model);
  const int32_t order = 2 * std::max(model.nodeCount, 0);
  tables.loads.Grow(order);
  tables.stresses.Grow(model.elementCount);
  // The plots read the displacements from the load vector, which the build and
  // the solve overwrite; keep them so a failed compute can put them back.
  const auto loads = tables.loads.Values();
  const std::vector<double> previous(loads.begin(), loads.begin() + order);
  try {
    SolveEitherWay(model, input, tables, solver);
    // Everything that can fail comes before the stresses are written, so the
    // results stay those of one compute.
    Reactions reactions = ComputeReactions(model, input, tables.loads.Values());
    RecoverStresses(model, tables.stressMatrix, tables.loads, tables.stresses);
    tables.mises = ComputeMises(model, tables.stresses, model.entered.problem, input.materials);
    tables.equilibrium = SumForces(reactions, input.forces);
    tables.reactions = std::move(reactions);
    tables.material = model.entered;
    tables.nodeCount = std::max(model.nodeCount, 0);
    tables.elementCount = std::max(model.elementCount, 0);
    RecoverAndEstimate(model, input.materials, tables, recovery);
  } catch (const Error&) {
    std::copy(previous.begin(), previous.end(), loads.begin());
    throw;
  }
}

void RecoverAgain(const Model& model, AnalysisTables& tables, StressRecovery recovery) {
  RecoverAndEstimate(model, ElementMaterialsOf(model), tables, recovery);
}

std::vector<StressState> ElementStressStates(const AnalysisTables& tables) {
  std::vector<StressState> stresses(static_cast<std::size_t>(tables.elementCount));
  for (int32_t e = 1; e <= tables.elementCount; ++e)
    stresses[static_cast<std::size_t>(e - 1)] = {tables.stresses(SigmaX, e), tables.stresses(SigmaY, e),
                                                 tables.stresses(TauXY, e)};
  return stresses;
}

NodeReaction ReactionAt(const AnalysisTables& tables, int32_t node) {
  const Reactions& r = tables.reactions;
  const auto x = static_cast<std::size_t>(2 * node - 2);
  NodeReaction reaction;
  if (node < 1 || x + 1 >= r.values.size()) return reaction;
  if (r.restrained[x]) reaction.rx = r.values[x];
  if (r.restrained[x + 1]) reaction.ry = r.values[x + 1];
  return reaction;
}

bool HasReaction(const AnalysisTables& tables, int32_t node) {
  const NodeReaction r = ReactionAt(tables, node);
  return r.rx.has_value() || r.ry.has_value();
}

}  // namespace trivane
