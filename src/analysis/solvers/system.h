#pragma once
// The restrained linear system K u = F of the current model, dense, for the
// Gauss-Jordan path.
#include <cstdint>

#include "analysis/solvers/assembly.h"
#include "analysis/solvers/solver.h"
#include "analysis/tables.h"
#include "model/model.h"

namespace trivane {

// Copies the forces into the load vector, clears and assembles the leading 2n
// square of the stiffness (writing every element's stress matrix), then
// imposes the restraints: row and column cleared, 1.0 on the diagonal, load
// 0.0. Returns the guard for the solve. Requires a model that passed
// CheckAnalysable (compute.h) and its SystemInputOf; faults propagate from
// AssembleStiffness.
PivotGuard BuildSystem(const Model& model, const SystemInput& input, AnalysisTables& tables);

}  // namespace trivane
