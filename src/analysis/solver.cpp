#include "analysis/solver.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "analysis/solver_kernels.h"
#include "model/errors.h"

namespace trivane {

namespace {

using solver_kernels::Candidate;

[[noreturn]] void Singular() { throw Error(messages::SingularMatrix); }

// Work lists of one solve, indexed by row or column number 1..n.
struct Steps {
  explicit Steps(int32_t n)
      : pivotRow(Size(n)),
        pivotColumn(Size(n)),
        used(Size(n), false),
        freeMask(static_cast<std::size_t>(n), -1),
        mayHoldNegativeZero(Size(n), false),
        best(Size(n)) {}
  static std::size_t Size(int32_t n) { return static_cast<std::size_t>(n) + 1; }

  std::vector<int32_t> pivotRow;
  std::vector<int32_t> pivotColumn;
  std::vector<bool> used;          // row and column k have served as pivot
  std::vector<int64_t> freeMask;   // [k - 1]: -1 while column k is unused
  // Subtracting a zero multiple of the pivot row changes a row only where it
  // holds -0.0 (which becomes +0.0), so a row without any may skip that step
  // and keep its bits. Only scaling by a negative pivot creates -0.0.
  std::vector<bool> mayHoldNegativeZero;
  std::vector<Candidate> best;     // each unused row's candidate when last searched
};

struct Pivot {
  int32_t row = 0;
  Candidate candidate;
  void Consider(int32_t r, const Candidate& c) {
    if (c.magnitude >= candidate.magnitude) {
      row = r;
      candidate = c;
    }
  }
};

Pivot FirstSearch(GlobalStiffness& K, int32_t n, const LoadVector& F, Steps& steps) {
  Pivot pivot;
  for (int32_t j = 1; j <= n; ++j) {
    const double* row = K.Row(j);
    if (!solver_kernels::AllFinite(row, n) || !std::isfinite(F(j))) throw Error(messages::InvalidOperation);
    steps.mayHoldNegativeZero[j] = solver_kernels::HasNegativeZero(row, n);
    steps.best[j] = solver_kernels::Search(row, steps.freeMask.data(), n);
    pivot.Consider(j, steps.best[j]);
  }
  return pivot;
}

void ExchangeRows(GlobalStiffness& K, int32_t n, LoadVector& F, Steps& steps, int32_t a, int32_t b) {
  std::swap_ranges(K.Row(a), K.Row(a) + n, K.Row(b));
  std::swap(F(a), F(b));
  std::vector<bool>::swap(steps.mayHoldNegativeZero[a], steps.mayHoldNegativeZero[b]);
  std::swap(steps.best[a], steps.best[b]);
}

// The columns from the first to the last non-zero entry of the pivot row.
struct Span {
  int32_t first = 0;
  int32_t count = 0;
};

Span NonZeroSpan(const double* row, int32_t n) {
  int32_t first = 0, last = n - 1;
  while (row[first] == 0.0) ++first;
  while (row[last] == 0.0) --last;
  return {first, last - first + 1};
}

// Keeps the later of equal magnitudes; `offset` turns a column counted from the
// start of a part of the row into a column of the row.
void Merge(Candidate& best, const Candidate& part, int32_t offset) {
  if (part.column >= 0 && part.magnitude >= best.magnitude) best = {part.magnitude, part.column + offset};
}

// One row's step: subtract d times the pivot row and, for a row still unused,
// find its candidate for the next pivot. Outside the span the pivot row is
// zero, which leaves a row without -0.0 bit for bit unchanged there.
bool UpdateRow(double* row, const double* pivotRow, double d, const int64_t* freeMask, int32_t n, Span span,
               Candidate* best) {
  if (!best) return solver_kernels::Eliminate(row + span.first, pivotRow + span.first, d, span.count);
  const int32_t end = span.first + span.count;
  Candidate found = solver_kernels::Search(row, freeMask, span.first);
  Candidate middle;
  const bool finite = solver_kernels::EliminateAndSearch(row + span.first, pivotRow + span.first, d,
                                                         freeMask + span.first, span.count, middle);
  Merge(found, middle, span.first);
  Merge(found, solver_kernels::Search(row + end, freeMask + end, n - end), end);
  *best = found;
  return finite;
}

// Eliminates column c from every other row and, in the same pass, finds the
// next step's pivot among the rows and columns still unused.
Pivot EliminateColumn(GlobalStiffness& K, int32_t n, LoadVector& F, Steps& steps, int32_t c) {
  const double* pivotRow = K.Row(c);
  const double fc = F(c);
  const int64_t* freeMask = steps.freeMask.data();
  const Span span = NonZeroSpan(pivotRow, n);
  bool finite = true;
  Pivot next;
  for (int32_t m = 1; m <= n; ++m) {
    if (m == c) continue;
    double* row = K.Row(m);
    const double d = row[c - 1];
    row[c - 1] = 0.0;
    const bool searched = !steps.used[m];
    const bool plain = !steps.mayHoldNegativeZero[m];
    if (d == 0.0 && plain) {
      const Candidate& kept = steps.best[m];
      if (searched && freeMask[kept.column] == 0) steps.best[m] = solver_kernels::Search(row, freeMask, n);
    } else {
      finite &= UpdateRow(row, pivotRow, d, freeMask, n, plain ? span : Span{0, n},
                          searched ? &steps.best[m] : nullptr);
    }
    F(m) -= fc * d;
    finite &= std::isfinite(F(m));
    if (searched) next.Consider(m, steps.best[m]);
  }
  if (!finite) throw Error(messages::Overflow);
  return next;
}

// Undo the column exchanges implied by off-diagonal pivots, last step first,
// one row at a time so that each row stays in cache.
void UnscrambleColumns(GlobalStiffness& K, int32_t n, const Steps& steps) {
  std::vector<std::pair<int32_t, int32_t>> exchanges;
  for (int32_t i = n; i >= 1; --i)
    if (steps.pivotRow[i] != steps.pivotColumn[i]) exchanges.emplace_back(steps.pivotRow[i] - 1, steps.pivotColumn[i] - 1);
  if (exchanges.empty()) return;
  for (int32_t m = 1; m <= n; ++m) {
    double* row = K.Row(m);
    for (const auto& [a, b] : exchanges) std::swap(row[a], row[b]);
  }
}

void Run(GlobalStiffness& K, int32_t n, LoadVector& F, const PivotGuard* guard) {
  if (n <= 0) return;
  Steps steps(n);
  Pivot pivot = FirstSearch(K, n, F, steps);
  for (int32_t i = 1; i <= n; ++i) {
    const int32_t row = pivot.row;
    const int32_t c = pivot.candidate.column + 1;
    steps.used[c] = true;
    steps.freeMask[c - 1] = 0;
    if (row != c) ExchangeRows(K, n, F, steps, row, c);
    steps.pivotRow[i] = row;
    steps.pivotColumn[i] = c;

    double* pivotRow = K.Row(c);
    const double value = pivotRow[c - 1];
    if (value == 0.0) Singular();
    if (guard && !guard->restrained[c] && std::fabs(value) < guard->minimumPivot) Singular();
    const double p = 1.0 / value;
    pivotRow[c - 1] = 1.0;
    bool finite = solver_kernels::Scale(pivotRow, p, n);
    F(c) *= p;
    if (!finite || !std::isfinite(F(c))) throw Error(messages::Overflow);
    if (p < 0.0) steps.mayHoldNegativeZero[c] = true;
    pivot = EliminateColumn(K, n, F, steps, c);
  }
  UnscrambleColumns(K, n, steps);
}

}  // namespace

void Solve(GlobalStiffness& matrix, int32_t n, LoadVector& rhs) { Run(matrix, n, rhs, nullptr); }
void Solve(GlobalStiffness& matrix, int32_t n, LoadVector& rhs, const PivotGuard& guard) {
  Run(matrix, n, rhs, &guard);
}

}  // namespace trivane
