#pragma once
// The restrained linear system K u = F of the current model, dense, for the
// Gauss-Jordan path.
#include <cstdint>

#include "analysis/solvers/assembly.h"
#include "analysis/solvers/dense_workspace.h"
#include "analysis/solvers/solver.h"
#include "model/model.h"

namespace trivane {

// Copies the forces into the load vector, assembles the stiffness (keeping
// every element's stress matrices), then
// imposes the restraints: row and column cleared, 1.0 on the diagonal, load
// 0.0. Returns the guard for the solve. Requires a model that passed
// CheckAnalysable (compute.h) and its SystemInputOf; faults propagate from
// AssembleStiffness.
// The stiffness and the load vector are of order 2 nodeCount, zeroed.
PivotGuard BuildSystem(const Model& model, const SystemInput& input, GlobalStiffness& stiffness, LoadVector& loads,
                       StressMatrices& stressMatrices);

}  // namespace trivane
