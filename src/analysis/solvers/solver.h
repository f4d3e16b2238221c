#pragma once
// Gauss-Jordan elimination with full pivoting, in place: the right-hand side
// becomes the solution and the leading n x n block of the matrix its inverse.
#include <array>
#include <cstdint>

#include "analysis/solvers/dense_workspace.h"

namespace trivane {

// What the solver needs to recognise a model free to move: a pivot of a free
// degree of freedom (one without restraint) smaller in magnitude than
// minimumPivot means the stiffness is singular. Index d is degree of freedom d.
struct PivotGuard {
  double minimumPivot = 0.0;
  std::array<bool, MaxGaussJordanDof + 1> restrained{};
};

// Pivot search: the largest magnitude in the unused rows and columns, the last
// of equal magnitudes in a row-by-row scan. Throws Error("Singular matrix.")
// when a pivot is exactly zero (or below the guard's minimum), leaving the
// matrix and right-hand side as the completed steps left them; Error
// ("Floating point overflow") when a step overflows, leaving the matrix in no
// particular state; Error("Invalid floating point operation"), before changing
// anything, when the system holds an infinity or a NaN. Does nothing for
// n <= 0. Requires n <= MaxGaussJordanDof.
void Solve(GlobalStiffness& matrix, int32_t n, LoadVector& rhs);
void Solve(GlobalStiffness& matrix, int32_t n, LoadVector& rhs, const PivotGuard& guard);

}  // namespace trivane
