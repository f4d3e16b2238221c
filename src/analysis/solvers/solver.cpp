#include "analysis/solvers/solver.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "analysis/solvers/solver_kernels.h"
#include "model/errors.h"

// Every entry of the matrix goes through exactly the operations of the plain
// elimination, in the same order; what changes is when they are carried out.
//
// The pivot search of a step reads only the active block (rows and columns not
// yet pivoted), and the multiplier d = K[m][c] of every row comes from an
// active column c. Everything outside the rows and columns that were active at
// the start of a block of steps can therefore wait: its updates are recorded
// (each step's normalised pivot row in a panel, each row's multiplier) and
// applied at the end of the block, a stretch of a row at a time, each entry
// taking its postponed updates one after the other in registers. Within a block
// only the shrinking active square is streamed through memory.
//
// To keep that square contiguous, columns are stored permuted: positions
// [0, done) hold the pivoted columns in the order they were chosen, positions
// [done, n) the active ones; the natural order is restored at the end. Rows stay
// where the elimination puts them.
//
// Two rows need their postponed updates before their time: a pivot row, which
// must be complete before it is normalised, and an exchanged row. A pivoted row
// also needs the current value of the new pivot column for its multiplier,
// which is its stored value with the postponed updates applied.

namespace trivane {

namespace {

using namespace solver_kernels;

// Steps per block: the panel of postponed pivot rows stays in cache, and the
// matrix outside the active square is swept once per block instead of once per
// step.
constexpr int32_t BlockSteps = 32;
// Columns per sweep of the postponed updates: that slice of the panel stays in
// the first-level cache while every row passes through it.
constexpr int32_t SweepColumns = 128;

// How many rows ahead the elimination pass asks for the entries it will need.
constexpr int32_t PrefetchRows = 8;

[[noreturn]] void Overflowed() { throw Error(messages::Overflow); }

// A row's choice for the next pivot: the largest magnitude among its active
// columns, the highest column of equal ones. Columns are numbered from 0.
struct Candidate {
  double magnitude = -1.0;
  int32_t column = -1;
};

// The last of equal magnitudes in a row-by-row scan.
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

std::size_t Size(int32_t n) { return static_cast<std::size_t>(n); }

class Elimination {
 public:
  Elimination(GlobalStiffness& K, int32_t n, LoadVector& F, const PivotGuard* guard)
      : K_(K),
        F_(F),
        n_(n),
        guard_(guard),
        pivotRow_(Size(n)),
        pivotColumn_(Size(n)),
        columnAt_(Size(n)),
        position_(Size(n)),
        used_(Size(n), false),
        old_(Size(n), false),
        plain_(Size(n), true),
        best_(Size(n)),
        panel_(Size(n) * BlockSteps),
        multipliers_(Size(n) * BlockSteps),
        owedFrom_(Size(n), 0),
        owedColumn_(BlockSteps),
        chunkLargest_(Size(Chunks(n))) {
    for (int32_t q = 0; q < n; ++q) columnAt_[Size(q)] = position_[Size(q)] = q;
  }

  void Run() {
    Pivot pivot = FirstSearch();
    while (done_ < n_) {
      if (done_ - blockStart_ == BlockSteps) EndBlock();
      pivot = Step(pivot);
    }
    EndBlock();
    RestoreColumnOrder(true);
  }

 private:
  double* Row(int32_t m) { return K_.Row(m + 1); }
  double& Rhs(int32_t m) { return F_(m + 1); }
  double* Multipliers(int32_t m) { return multipliers_.data() + Size(m) * BlockSteps; }
  double* PanelRow(int32_t t) { return panel_.data() + Size(t) * Size(n_); }
  int32_t StepsInBlock() const { return done_ - blockStart_; }

  Candidate Search(int32_t m) {
    const double* active = Row(m) + done_;
    const int32_t count = n_ - done_;
    double largest = 0.0;
    Measure(active, count, chunkLargest_.data(), largest);
    return {largest, HighestColumnOf(active, columnAt_.data() + done_, count, chunkLargest_.data(), largest)};
  }

  Pivot FirstSearch() {
    Pivot pivot;
    for (int32_t m = 0; m < n_; ++m) {
      if (!AllFinite(Row(m), n_) || !std::isfinite(Rhs(m))) throw Error(messages::InvalidOperation);
      plain_[Size(m)] = !HasNegativeZero(Row(m), n_);
      best_[Size(m)] = Search(m);
      pivot.Consider(m, best_[Size(m)]);
    }
    return pivot;
  }

  Pivot Step(const Pivot& pivot) {
    const int32_t s = done_;
    const int32_t r = pivot.row;
    const int32_t c = pivot.candidate.column;
    used_[Size(c)] = true;
    if (r != c) ExchangeRows(r, c);
    pivotRow_[Size(s)] = r;
    pivotColumn_[Size(s)] = c;

    const int32_t q = position_[Size(c)];
    double* row = Row(c);
    const double value = row[q];
    if (value == 0.0) Abandon();
    if (guard_ && !guard_->restrained[Size(c) + 1] && std::fabs(value) < guard_->minimumPivot) Abandon();
    CatchUp(c);

    // Column c moves to position s, the first active one, in every row.
    const int32_t t = StepsInBlock();
    for (int32_t k = 0; k < t; ++k) {
      double* panelRow = PanelRow(k);
      owedColumn_[Size(k)] = panelRow[q];
      std::swap(panelRow[q], panelRow[s]);
    }
    std::swap(columnAt_[Size(q)], columnAt_[Size(s)]);
    position_[Size(columnAt_[Size(q)])] = q;
    position_[Size(c)] = s;
    std::swap(row[q], row[s]);

    const double p = 1.0 / value;
    row[s] = 1.0;
    const bool finite = Scale(row, p, n_);
    Rhs(c) *= p;
    if (!finite || !std::isfinite(Rhs(c))) Overflowed();
    if (p < 0.0) plain_[Size(c)] = false;
    std::copy_n(row, n_, PanelRow(t));
    owedFrom_[Size(c)] = t + 1;
    done_ = s + 1;
    return EliminateColumn(c, q);
  }

  // Subtracts d times the pivot row c from every other row, where it is not
  // postponed, and finds each active row's candidate for the next pivot.
  Pivot EliminateColumn(int32_t c, int32_t q) {
    const int32_t s = done_ - 1;
    const int32_t t = StepsInBlock() - 1;
    const double* pivotRow = Row(c);
    const double fc = Rhs(c);
    const int32_t first = blockStart_;
    bool finite = true;
    Pivot next;
    for (int32_t m = 0; m < n_; ++m) {
      if (m == c) continue;
      double* row = Row(m);
      // The two columns touched in every row are far apart in memory; ask for
      // those of a later row while this one is worked on.
      if (m + PrefetchRows < n_) {
        __builtin_prefetch(Row(m + PrefetchRows) + q);
        __builtin_prefetch(Row(m + PrefetchRows) + s);
      }
      const double d = old_[Size(m)] ? Owed(m, row[q], t) : row[q];
      row[q] = row[s];
      row[s] = 0.0;
      Multipliers(m)[t] = d;
      const bool searched = !used_[Size(m)];
      if (d == 0.0 && plain_[Size(m)]) {
        // Subtracting a zero multiple changes a row only where it holds -0.0.
        if (searched && best_[Size(m)].column == c) best_[Size(m)] = Search(m);
      } else if (!searched) {
        const int32_t end = old_[Size(m)] ? s + 1 : n_;
        finite &= Eliminate(row + first, pivotRow + first, d, end - first);
      } else {
        finite &= Eliminate(row + first, pivotRow + first, d, s + 1 - first);
        const int32_t count = n_ - s - 1;
        double largest = 0.0;
        finite &= EliminateAndMeasure(row + s + 1, pivotRow + s + 1, d, count, chunkLargest_.data(), largest);
        best_[Size(m)] = {largest,
                          HighestColumnOf(row + s + 1, columnAt_.data() + s + 1, count, chunkLargest_.data(), largest)};
      }
      Rhs(m) -= fc * d;
      finite &= std::isfinite(Rhs(m));
      if (searched) next.Consider(m, best_[Size(m)]);
    }
    if (!finite) Overflowed();
    return next;
  }

  // The current value of an entry of a pivoted row in an active column: its
  // stored value with the block's earlier steps applied.
  double Owed(int32_t m, double stored, int32_t steps) {
    const double* d = Multipliers(m);
    double x = stored;
    for (int32_t k = 0; k < steps; ++k) x = x - owedColumn_[Size(k)] * d[k];
    return x;
  }

  // Applies to row m's pivoted columns [0, blockStart_) the block's steps it
  // still owes.
  void CatchUp(int32_t m) {
    const int32_t from = owedFrom_[Size(m)];
    const int32_t steps = StepsInBlock();
    if (from >= steps) return;
    if (!ApplySteps(Row(m), PanelRow(from), n_, Multipliers(m) + from, steps - from, blockStart_)) Overflowed();
    owedFrom_[Size(m)] = steps;
  }

  void ExchangeRows(int32_t a, int32_t b) {
    CatchUp(a);
    CatchUp(b);
    std::swap_ranges(Row(a), Row(a) + n_, Row(b));
    std::swap(Rhs(a), Rhs(b));
    std::vector<bool>::swap(plain_[Size(a)], plain_[Size(b)]);
    std::swap(best_[Size(a)], best_[Size(b)]);
  }

  // Whether row m has postponed updates that change it.
  bool Owes(int32_t m, int32_t from) {
    const int32_t steps = StepsInBlock();
    if (from >= steps) return false;
    if (!plain_[Size(m)]) return true;
    const double* d = Multipliers(m);
    return std::any_of(d + from, d + steps, [](double v) { return v != 0.0; });
  }

  // Applies every postponed update of the block: the pivoted columns of all
  // rows, and the active columns of the rows pivoted before the block began.
  void EndBlock() {
    bool finite = true;
    std::vector<int32_t> rows;
    for (int32_t m = 0; m < n_; ++m)
      if (Owes(m, owedFrom_[Size(m)])) rows.push_back(m);
    finite &= Sweep(rows, 0, blockStart_, true);
    rows.clear();
    for (int32_t m = 0; m < n_; ++m)
      if (old_[Size(m)] && Owes(m, 0)) rows.push_back(m);
    finite &= Sweep(rows, done_, n_, false);
    if (!finite) Overflowed();
    blockStart_ = done_;
    std::fill(owedFrom_.begin(), owedFrom_.end(), 0);
    old_ = used_;
  }

  // Applies the block's steps to columns [begin, end) of the given rows, from
  // the first step each row still owes there, or from the block's first step.
  bool Sweep(const std::vector<int32_t>& rows, int32_t begin, int32_t end, bool fromOwed) {
    const int32_t steps = StepsInBlock();
    bool finite = true;
    for (int32_t l = begin; l < end; l += SweepColumns) {
      const int32_t width = std::min(SweepColumns, end - l);
      for (const int32_t m : rows) {
        const int32_t from = fromOwed ? owedFrom_[Size(m)] : 0;
        finite &= ApplySteps(Row(m) + l, PanelRow(from) + l, n_, Multipliers(m) + from, steps - from, width);
      }
    }
    return finite;
  }

  // A singular matrix ends the solve with the system as the completed steps
  // left it, columns in their natural order.
  [[noreturn]] void Abandon() {
    EndBlock();
    RestoreColumnOrder(false);
    throw Error(messages::SingularMatrix);
  }

  // Puts every column where the plain elimination has it; after all steps, that
  // includes undoing the column exchanges implied by off-diagonal pivots, last
  // step first.
  void RestoreColumnOrder(bool finished) {
    std::vector<int32_t> source(position_);
    if (finished)
      for (int32_t i = n_ - 1; i >= 0; --i)
        std::swap(source[Size(pivotRow_[Size(i)])], source[Size(pivotColumn_[Size(i)])]);
    bool identity = true;
    for (int32_t j = 0; j < n_; ++j) identity &= source[Size(j)] == j;
    if (identity) return;
    std::vector<double> reordered(Size(n_));
    for (int32_t m = 0; m < n_; ++m) {
      double* row = Row(m);
      for (int32_t j = 0; j < n_; ++j) reordered[Size(j)] = row[source[Size(j)]];
      std::copy(reordered.begin(), reordered.end(), row);
    }
  }

  GlobalStiffness& K_;
  LoadVector& F_;
  const int32_t n_;
  const PivotGuard* guard_;
  int32_t done_ = 0;        // steps completed, and the first active position
  int32_t blockStart_ = 0;  // the step that began the current block
  std::vector<int32_t> pivotRow_;     // per step, before the row exchange
  std::vector<int32_t> pivotColumn_;  // per step
  std::vector<int32_t> columnAt_;     // the column stored at each position
  std::vector<int32_t> position_;     // the position of each column
  std::vector<bool> used_;            // row and column have served as pivot
  std::vector<bool> old_;             // ... before the current block began
  // Only scaling by a negative pivot creates -0.0; a row without any can skip
  // a step whose multiplier is zero and keep its bits.
  std::vector<bool> plain_;
  std::vector<Candidate> best_;       // each active row's candidate
  std::vector<double> panel_;         // the block's normalised pivot rows
  std::vector<double> multipliers_;   // per row, its multiplier at each step of the block
  std::vector<int32_t> owedFrom_;     // first step of the block a row's pivoted columns still owe
  std::vector<double> owedColumn_;    // the panel's entries in the new pivot column
  std::vector<double> chunkLargest_;  // a row's measured chunks
};

}  // namespace

void Solve(GlobalStiffness& matrix, int32_t n, LoadVector& rhs) {
  if (n > 0) Elimination(matrix, n, rhs, nullptr).Run();
}

void Solve(GlobalStiffness& matrix, int32_t n, LoadVector& rhs, const PivotGuard& guard) {
  if (n > 0) Elimination(matrix, n, rhs, &guard).Run();
}

}  // namespace trivane
