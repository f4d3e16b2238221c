#include "analysis/solver.h"

#include <cmath>
#include <utility>
#include <vector>

#include "model/errors.h"

namespace trivane {

namespace {

[[noreturn]] void Singular() { throw Error(messages::SingularMatrix); }

void Run(GlobalStiffness& K, int32_t n, LoadVector& F, const PivotGuard* guard) {
  if (n <= 0) return;
  std::vector<int32_t> pivotRow(static_cast<std::size_t>(n) + 1), pivotColumn(static_cast<std::size_t>(n) + 1),
      pivotCount(static_cast<std::size_t>(n) + 1, 0);
  int32_t row = 0, column = 0;
  for (int32_t i = 1; i <= n; ++i) {
    double largest = 0.0;
    for (int32_t j = 1; j <= n; ++j) {
      if (pivotCount[j] == 1) continue;
      for (int32_t k = 1; k <= n; ++k) {
        if (pivotCount[k] == 0) {
          if (std::fabs(K(j, k)) >= largest) {
            largest = std::fabs(K(j, k));
            row = j;
            column = k;
          }
        } else if (pivotCount[k] > 1) {
          Singular();
        }
      }
    }
    ++pivotCount[column];
    if (row != column) {
      for (int32_t l = 1; l <= n; ++l) std::swap(K(row, l), K(column, l));
      std::swap(F(row), F(column));
    }
    pivotRow[i] = row;
    pivotColumn[i] = column;
    const int32_t c = column;
    if (K(c, c) == 0.0) Singular();
    if (guard && !guard->restrained[c] && std::fabs(K(c, c)) < guard->minimumPivot) Singular();
    const double p = 1.0 / K(c, c);
    K(c, c) = 1.0;
    for (int32_t l = 1; l <= n; ++l) K(c, l) *= p;
    F(c) *= p;
    for (int32_t m = 1; m <= n; ++m) {
      if (m == c) continue;
      const double d = K(m, c);
      K(m, c) = 0.0;
      for (int32_t l = 1; l <= n; ++l) K(m, l) -= K(c, l) * d;
      F(m) -= F(c) * d;
    }
    for (int32_t m = 1; m <= n; ++m)
      for (int32_t l = 1; l <= n; ++l)
        if (!std::isfinite(K(m, l))) throw Error(messages::Overflow);
    for (int32_t m = 1; m <= n; ++m)
      if (!std::isfinite(F(m))) throw Error(messages::Overflow);
  }
  for (int32_t i = n; i >= 1; --i) {
    if (pivotRow[i] == pivotColumn[i]) continue;
    for (int32_t m = 1; m <= n; ++m) std::swap(K(m, pivotRow[i]), K(m, pivotColumn[i]));
  }
}

}  // namespace

void Solve(GlobalStiffness& matrix, int32_t n, LoadVector& rhs) { Run(matrix, n, rhs, nullptr); }
void Solve(GlobalStiffness& matrix, int32_t n, LoadVector& rhs, const PivotGuard& guard) {
  Run(matrix, n, rhs, &guard);
}

}  // namespace trivane
