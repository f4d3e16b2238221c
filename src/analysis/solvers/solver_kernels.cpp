#include "analysis/solvers/solver_kernels.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstring>

namespace trivane::solver_kernels {

namespace {

// Four doubles, loadable from any 8-byte boundary; on machines without AVX2 the
// compiler splits each operation into two SSE2 operations with the same results.
using Lanes = double __attribute__((vector_size(32), aligned(8), may_alias));
using Bits = int64_t __attribute__((vector_size(32), aligned(8), may_alias));
constexpr int32_t Width = 4;
constexpr int64_t MagnitudeBits = 0x7fffffffffffffff;
constexpr Bits AllOnes = {-1, -1, -1, -1};

// Rows start anywhere in the matrix, so vectors are moved with memcpy, which
// compiles to unaligned vector loads and stores.
inline Lanes Load(const double* p) {
  Lanes v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void Store(double* p, Lanes v) { std::memcpy(p, &v, sizeof v); }
inline Lanes Splat(double d) { return Lanes{d, d, d, d}; }
inline Lanes Magnitude(Lanes v) { return reinterpret_cast<Lanes>(reinterpret_cast<Bits>(v) & MagnitudeBits); }
inline Bits FiniteLanes(Lanes v) { return Magnitude(v) <= DBL_MAX; }
inline bool AllSet(Bits mask) { return (mask[0] & mask[1] & mask[2] & mask[3]) == -1; }
// Magnitudes are never NaN where these are used: a row with a non-finite entry
// ends the solve.
inline Lanes Max(Lanes a, Lanes b) { return a > b ? a : b; }
inline double Max(double a, double b) { return a > b ? a : b; }
inline double Max(Lanes v) { return Max(Max(v[0], v[1]), Max(v[2], v[3])); }

inline bool IsFinite(double v) { return std::fabs(v) <= DBL_MAX; }

// Stretches of ApplySteps: eight vectors are held in registers across all steps.
constexpr int32_t Stretch = 8;

}  // namespace

__attribute__((target_clones("avx2", "default"))) bool Eliminate(double* row, const double* pivot, double d,
                                                                int32_t n) {
  const Lanes dd = Splat(d);
  Bits finite = AllOnes;
  int32_t l = 0;
  for (; l + Width <= n; l += Width) {
    const Lanes v = Load(row + l) - Load(pivot + l) * dd;
    Store(row + l, v);
    finite &= FiniteLanes(v);
  }
  bool ok = AllSet(finite);
  for (; l < n; ++l) {
    row[l] = row[l] - pivot[l] * d;
    ok = ok && IsFinite(row[l]);
  }
  return ok;
}

// One chunk of EliminateAndMeasure; `full` chunks let the compiler unroll.
template <bool Full>
inline bool EliminateChunk(double* row, const double* pivot, Lanes dd, double d, int32_t n, double& largest) {
  const int32_t count = Full ? ChunkSize : n;
  Bits finite = AllOnes;
  Lanes most = Splat(-1.0);
  int32_t l = 0;
  for (; l + Width <= count; l += Width) {
    const Lanes v = Load(row + l) - Load(pivot + l) * dd;
    Store(row + l, v);
    finite &= FiniteLanes(v);
    most = Max(Magnitude(v), most);
  }
  bool ok = AllSet(finite);
  largest = Max(most);
  for (; l < count; ++l) {
    const double v = row[l] - pivot[l] * d;
    row[l] = v;
    ok = ok && IsFinite(v);
    largest = Max(std::fabs(v), largest);
  }
  return ok;
}

__attribute__((target_clones("avx2", "default"))) bool EliminateAndMeasure(double* row, const double* pivot,
                                                                          double d, int32_t n,
                                                                          double* chunkLargest, double& largest) {
  const Lanes dd = Splat(d);
  bool ok = true;
  largest = -1.0;
  int32_t l = 0;
  for (; l + ChunkSize <= n; l += ChunkSize, ++chunkLargest) {
    ok &= EliminateChunk<true>(row + l, pivot + l, dd, d, ChunkSize, *chunkLargest);
    largest = Max(*chunkLargest, largest);
  }
  if (l < n) {
    ok &= EliminateChunk<false>(row + l, pivot + l, dd, d, n - l, *chunkLargest);
    largest = Max(*chunkLargest, largest);
  }
  return ok;
}

__attribute__((target_clones("avx2", "default"))) void Measure(const double* row, int32_t n, double* chunkLargest,
                                                              double& largest) {
  largest = -1.0;
  for (int32_t first = 0; first < n; first += ChunkSize) {
    const int32_t count = std::min(ChunkSize, n - first);
    Lanes most = Splat(-1.0);
    int32_t l = first;
    for (; l + Width <= first + count; l += Width) most = Max(Magnitude(Load(row + l)), most);
    double chunk = Max(most);
    for (; l < first + count; ++l) chunk = Max(std::fabs(row[l]), chunk);
    *chunkLargest++ = chunk;
    largest = Max(chunk, largest);
  }
}

bool Scale(double* row, double p, int32_t n) {
  bool ok = true;
  for (int32_t l = 0; l < n; ++l) {
    row[l] *= p;
    ok &= IsFinite(row[l]);
  }
  return ok;
}

__attribute__((target_clones("avx2", "default"))) bool ApplySteps(double* row, const double* panel,
                                                                 std::ptrdiff_t stride, const double* d,
                                                                 int32_t steps, int32_t n) {
  Bits finite = AllOnes;
  int32_t l = 0;
  for (; l + Stretch * Width <= n; l += Stretch * Width) {
    Lanes x[Stretch];
    for (int32_t j = 0; j < Stretch; ++j) x[j] = Load(row + l + j * Width);
    const double* p = panel + l;
    for (int32_t t = 0; t < steps; ++t, p += stride) {
      const Lanes dd = Splat(d[t]);
      for (int32_t j = 0; j < Stretch; ++j) x[j] = x[j] - Load(p + j * Width) * dd;
    }
    for (int32_t j = 0; j < Stretch; ++j) {
      Store(row + l + j * Width, x[j]);
      finite &= FiniteLanes(x[j]);
    }
  }
  for (; l + Width <= n; l += Width) {
    Lanes x = Load(row + l);
    const double* p = panel + l;
    for (int32_t t = 0; t < steps; ++t, p += stride) x = x - Load(p) * Splat(d[t]);
    Store(row + l, x);
    finite &= FiniteLanes(x);
  }
  bool ok = AllSet(finite);
  for (; l < n; ++l) {
    double x = row[l];
    for (int32_t t = 0; t < steps; ++t) x = x - panel[t * stride + l] * d[t];
    row[l] = x;
    ok = ok && IsFinite(x);
  }
  return ok;
}

__attribute__((target_clones("avx2", "default"))) int32_t HighestColumnOf(const double* row,
                                                                           const int32_t* columns, int32_t n,
                                                                           const double* chunkLargest,
                                                                           double magnitude) {
  const Lanes wanted = Splat(magnitude);
  int32_t highest = -1;
  for (int32_t first = 0; first < n; first += ChunkSize, ++chunkLargest) {
    if (*chunkLargest != magnitude) continue;
    const int32_t end = std::min(n, first + ChunkSize);
    int32_t l = first;
    for (; l + Width <= end; l += Width) {
      const Bits hit = Magnitude(Load(row + l)) == wanted;
      const auto bits = static_cast<uint32_t>((hit[0] & 1) | (hit[1] & 2) | (hit[2] & 4) | (hit[3] & 8));
      for (uint32_t rest = bits; rest != 0; rest &= rest - 1)
        highest = std::max(highest, columns[l + std::countr_zero(rest)]);
    }
    for (; l < end; ++l)
      if (std::fabs(row[l]) == magnitude) highest = std::max(highest, columns[l]);
  }
  return highest;
}

bool AllFinite(const double* row, int32_t n) {
  bool ok = true;
  for (int32_t l = 0; l < n; ++l) ok &= IsFinite(row[l]);
  return ok;
}

bool HasNegativeZero(const double* row, int32_t n) {
  bool found = false;
  for (int32_t l = 0; l < n; ++l) found |= row[l] == 0.0 && std::signbit(row[l]);
  return found;
}

}  // namespace trivane::solver_kernels
