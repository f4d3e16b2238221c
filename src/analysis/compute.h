#pragma once
// The compute command: assemble, apply the restraints, solve, recover.
#include <cstdint>

#include "analysis/solution.h"
#include "model/model.h"

namespace trivane {

// How the restrained system is solved. Automatic takes Gauss-Jordan elimination
// on the dense stiffness up to MaxGaussJordanNodes nodes and the sparse
// Cholesky factorisation above.
enum class SolverChoice { Automatic, GaussJordan, Cholesky };

// Refuses a model with an element corner outside 1..nodeCount, an axisymmetric
// model with a node at a negative radius, and one of more
// than MaxGaussJordanNodes nodes for Gauss-Jordan. Throws Error.
void CheckAnalysable(const Model& model, SolverChoice solver = SolverChoice::Automatic);

// Build, solve, recover stresses, reactions, averages and the error estimate.
// On any failure throws Error with the text the user sees. A singular
// stiffness gives "Singular matrix.", followed on a second line by the cause
// when the mesh and its supports show one (SingularCause).
Solution Compute(const Model& model, SolverChoice solver = SolverChoice::Automatic);

}  // namespace trivane
