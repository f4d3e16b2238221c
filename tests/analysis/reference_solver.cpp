#include "reference_solver.h"

#include <cmath>
#include <utility>

namespace trivane::testing {

bool ReferenceSolve(DenseSystem& s, double minimumPivot, const std::vector<bool>& restrained) {
  const int32_t n = s.n;
  std::vector<int32_t> pivotRow(static_cast<std::size_t>(n) + 1), pivotColumn(static_cast<std::size_t>(n) + 1),
      pivotCount(static_cast<std::size_t>(n) + 1, 0);
  int32_t row = 0, column = 0;
  for (int32_t i = 1; i <= n; ++i) {
    double largest = 0.0;
    for (int32_t j = 1; j <= n; ++j) {
      if (pivotCount[j] == 1) continue;
      for (int32_t k = 1; k <= n; ++k) {
        if (pivotCount[k] == 0) {
          if (std::fabs(s.K(j, k)) >= largest) {
            largest = std::fabs(s.K(j, k));
            row = j;
            column = k;
          }
        } else if (pivotCount[k] > 1) {
          return false;
        }
      }
    }
    ++pivotCount[column];
    if (row != column) {
      for (int32_t l = 1; l <= n; ++l) std::swap(s.K(row, l), s.K(column, l));
      std::swap(s.F(row), s.F(column));
    }
    pivotRow[i] = row;
    pivotColumn[i] = column;
    const int32_t c = column;
    if (s.K(c, c) == 0.0) return false;
    const bool isRestrained = !restrained.empty() && restrained[static_cast<std::size_t>(c)];
    if (!isRestrained && std::fabs(s.K(c, c)) < minimumPivot) return false;
    const double p = 1.0 / s.K(c, c);
    s.K(c, c) = 1.0;
    for (int32_t l = 1; l <= n; ++l) s.K(c, l) *= p;
    s.F(c) *= p;
    for (int32_t m = 1; m <= n; ++m) {
      if (m == c) continue;
      const double d = s.K(m, c);
      s.K(m, c) = 0.0;
      for (int32_t l = 1; l <= n; ++l) s.K(m, l) -= s.K(c, l) * d;
      s.F(m) -= s.F(c) * d;
    }
  }
  for (int32_t i = n; i >= 1; --i) {
    if (pivotRow[i] == pivotColumn[i]) continue;
    for (int32_t m = 1; m <= n; ++m) std::swap(s.K(m, pivotRow[i]), s.K(m, pivotColumn[i]));
  }
  return true;
}

}  // namespace trivane::testing
