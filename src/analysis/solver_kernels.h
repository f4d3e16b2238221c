#pragma once
// The row passes of the solver. Each pass touches a row once, so a step of the
// elimination and the pivot search of the next step share one sweep through
// memory. Arithmetic is exactly the scalar loop's: a separate multiply and
// subtract per entry, in any vector width.
#include <cstdint>

namespace trivane::solver_kernels {

// The largest magnitude among a row's unused columns, the last of equal ones;
// column is 0-based, magnitude -1 when nothing was considered.
struct Candidate {
  double magnitude = -1.0;
  int32_t column = -1;
};

// freeMask[l] is all ones (-1) while column l is unused, 0 once it has been a
// pivot column. The functions returning bool report whether every entry they
// wrote is finite.
bool EliminateAndSearch(double* row, const double* pivot, double d, const int64_t* freeMask, int32_t n,
                        Candidate& best);
bool Eliminate(double* row, const double* pivot, double d, int32_t n);
bool Scale(double* row, double p, int32_t n);
Candidate Search(const double* row, const int64_t* freeMask, int32_t n);

// Whether every entry is finite, and whether any is a negative zero.
bool AllFinite(const double* row, int32_t n);
bool HasNegativeZero(const double* row, int32_t n);

}  // namespace trivane::solver_kernels
