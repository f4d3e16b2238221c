#include "analysis/compute.h"

#include <algorithm>
#include <vector>

#include "analysis/cholesky.h"
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
void SolveDense(const Model& model, AnalysisTables& tables) {
  const PivotGuard guard = BuildSystem(model, tables);
  Solve(tables.stiffness, 2 * model.nodeCount, tables.loads, guard);
}

// The sparse path: the free part of the same system, factorised by Cholesky;
// a fixed degree of freedom does not move.
void SolveSparse(const Model& model, AnalysisTables& tables) {
  const SparseSystem system = BuildSparseSystem(model, tables);
  const std::vector<double> free = SolveCholesky(system);
  for (int32_t d = 1; d <= 2 * model.nodeCount; ++d) {
    const int32_t c = system.column[static_cast<std::size_t>(d)];
    tables.loads(d) = c < 0 ? 0.0 : free[static_cast<std::size_t>(c)];
  }
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

void Compute(const Model& model, AnalysisTables& tables, SolverChoice solver) {
  CheckAnalysable(model, solver);
  const int32_t order = 2 * std::max(model.nodeCount, 0);
  tables.loads.Grow(order);
  tables.stressMatrix.Grow(model.elementCount);
  tables.stresses.Grow(model.elementCount);
  // The plots read the displacements from the load vector, which the build and
  // the solve overwrite; keep them so a failed compute can put them back.
  const auto loads = tables.loads.Values();
  const std::vector<double> previous(loads.begin(), loads.begin() + order);
  try {
    if (UsesGaussJordan(model, solver))
      SolveDense(model, tables);
    else
      SolveSparse(model, tables);
    RecoverStresses(model, tables.stressMatrix, tables.loads, tables.stresses);
  } catch (const Error&) {
    std::copy(previous.begin(), previous.end(), loads.begin());
    throw;
  }
}

}  // namespace trivane
