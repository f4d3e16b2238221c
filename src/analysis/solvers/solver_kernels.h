#pragma once
// The row passes of the solver. Each pass reads and writes a stretch of one row
// once; arithmetic is exactly the scalar loop's: a separate multiply and
// subtract per entry, in any vector width, so every entry sees the same
// roundings as in the plain elimination. The functions returning bool report
// whether every entry they wrote is finite.
#include <cstddef>
#include <cstdint>

namespace trivane::solver_kernels {

// row[l] = row[l] - pivot[l] * d for l < n.
bool Eliminate(double* row, const double* pivot, double d, int32_t n);

// Entries are measured in chunks: chunkLargest[k] receives the largest
// magnitude among entries [k * ChunkSize, (k + 1) * ChunkSize) of the n, so that
// finding where the largest of a row lies needs a second look at one chunk only.
constexpr int32_t ChunkSize = 32;
constexpr int32_t Chunks(int32_t n) { return (n + ChunkSize - 1) / ChunkSize; }

// Eliminate, measuring what it wrote; `largest` receives the largest magnitude
// of all (-1 for n = 0).
bool EliminateAndMeasure(double* row, const double* pivot, double d, int32_t n, double* chunkLargest,
                         double& largest);
void Measure(const double* row, int32_t n, double* chunkLargest, double& largest);

// row[l] = row[l] * p for l < n.
bool Scale(double* row, double p, int32_t n);

// Several postponed steps at once: for each l < n, in order of t,
// row[l] = row[l] - panel[t * stride + l] * d[t] for t < steps. The entries of
// a stretch stay in registers across the steps.
bool ApplySteps(double* row, const double* panel, std::ptrdiff_t stride, const double* d, int32_t steps, int32_t n);

// The highest columns[l] among the l < n with |row[l]| == magnitude, looking
// only into the chunks whose measured largest equals it; -1 if none.
int32_t HighestColumnOf(const double* row, const int32_t* columns, int32_t n, const double* chunkLargest,
                        double magnitude);

// Whether every entry is finite, and whether any is a negative zero.
bool AllFinite(const double* row, int32_t n);
bool HasNegativeZero(const double* row, int32_t n);

}  // namespace trivane::solver_kernels
