#pragma once
// The restrained linear system K u = F of a large model in compressed sparse
// columns, for the Cholesky path.
//
// A restrained degree of freedom has its row and column cleared, 1.0 on the
// diagonal and a zero load, exactly as in the dense system; its equation then
// says u = 0 and is coupled to nothing, so it is left out and the system holds
// the free degrees of freedom only, numbered in the order of the model's.
#include <cstdint>
#include <vector>

#include "analysis/solvers/assembly.h"
#include "model/model.h"

namespace trivane {

struct SparseSystem {
  int32_t order = 0;                  // free degrees of freedom
  std::vector<int32_t> column;        // entry d: degree of freedom d's column (0-based), or -1 when fixed
  std::vector<int32_t> columnStart;   // order + 1 offsets into rows and values
  std::vector<int32_t> rows;          // the upper triangle: rows <= column, ascending in each column
  std::vector<double> values;
  std::vector<double> rhs;            // the free degrees of freedom's loads
  double minimumPivot = 0.0;          // as the dense path's guard, from the unrestrained diagonal
};

// Keeps every element's stress matrices and assembles the free part of the
// stiffness, with the same element loop as the dense path; the right-hand side
// holds the free degrees of freedom's forces. Requires a model that passed
// CheckAnalysable and its SystemInputOf; faults as AssembleStiffness.
SparseSystem BuildSparseSystem(const Model& model, const SystemInput& input, StressMatrices& stressMatrices);

}  // namespace trivane
