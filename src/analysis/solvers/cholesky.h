#pragma once
// Sparse Cholesky factorisation K = L L^T of the free part of the stiffness,
// supernodal, with a fill-reducing ordering (CHOLMOD).
#include <vector>

#include "analysis/solvers/sparse_system.h"

namespace trivane {

// The displacements of the free degrees of freedom, in column order. Throws
// Error("Singular matrix.") when the matrix is not positive definite or a
// pivot (the square of a diagonal entry of L) falls below the system's
// minimum, as the dense path does for a model free to move;
// Error("Floating point overflow") when the solution is not finite.
std::vector<double> SolveCholesky(const SparseSystem& system);

}  // namespace trivane
