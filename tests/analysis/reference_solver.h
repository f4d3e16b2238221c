#pragma once
// The elimination written loop for loop, exactly as the pivot rule reads, with
// its own row-major storage: what the program's solver must equal bit for bit.
#include <cstdint>
#include <vector>

namespace trivane::testing {

struct DenseSystem {
  int32_t n = 0;
  std::vector<double> matrix;  // n x n, row by row
  std::vector<double> rhs;     // n
  double& K(int32_t row, int32_t column) { return matrix[static_cast<std::size_t>((row - 1) * n + column - 1)]; }
  double& F(int32_t d) { return rhs[static_cast<std::size_t>(d - 1)]; }
};

// false when the matrix is singular (the system is then as the completed steps
// left it). minimumPivot and restrained (index d, may be empty) as the guard.
bool ReferenceSolve(DenseSystem& s, double minimumPivot = 0.0, const std::vector<bool>& restrained = {});

}  // namespace trivane::testing
