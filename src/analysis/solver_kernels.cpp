#include "analysis/solver_kernels.h"

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

// Rows start anywhere in the matrix, so vectors are moved with memcpy, which
// compiles to unaligned vector loads and stores.
inline Lanes Load(const double* p) {
  Lanes v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void Store(double* p, Lanes v) { std::memcpy(p, &v, sizeof v); }
inline Bits LoadBits(const int64_t* p) {
  Bits v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline Lanes Magnitude(Lanes v) { return reinterpret_cast<Lanes>(reinterpret_cast<Bits>(v) & MagnitudeBits); }
inline Lanes Select(Bits mask, Lanes a, Lanes b) {
  return reinterpret_cast<Lanes>((reinterpret_cast<Bits>(a) & mask) | (reinterpret_cast<Bits>(b) & ~mask));
}
inline bool AllSet(Bits mask) { return (mask[0] & mask[1] & mask[2] & mask[3]) == -1; }

inline void Consider(Candidate& best, double magnitude, int32_t column) {
  if (magnitude >= best.magnitude) best = {magnitude, column};
}

// Per-lane running bests, merged so that the result is the one a left-to-right
// scan with >= would keep: the largest magnitude, the highest column among ties.
struct LaneBests {
  Lanes magnitude = {-1.0, -1.0, -1.0, -1.0};
  Bits column = {-1, -1, -1, -1};
  Bits next = {0, 1, 2, 3};

  void Add(Lanes value, Bits freeMask) {
    const Lanes m = Select(freeMask, Magnitude(value), Lanes{-1.0, -1.0, -1.0, -1.0});
    const Bits ge = m >= magnitude;
    magnitude = Select(ge, m, magnitude);
    column = (next & ge) | (column & ~ge);
    next += Width;
  }
  Candidate Merge() const {
    Candidate best;
    for (int lane = 0; lane < Width; ++lane) {
      const int32_t c = static_cast<int32_t>(column[lane]);
      if (magnitude[lane] > best.magnitude || (magnitude[lane] == best.magnitude && c > best.column))
        best = {magnitude[lane], c};
    }
    return best;
  }
};

inline bool IsFinite(double v) { return std::fabs(v) <= DBL_MAX; }

}  // namespace

__attribute__((target_clones("avx2", "default"))) bool EliminateAndSearch(double* row, const double* pivot, double d,
                                                                         const int64_t* freeMask, int32_t n,
                                                                         Candidate& best) {
  const Lanes dd = {d, d, d, d};
  Bits finite = {-1, -1, -1, -1};
  LaneBests lanes;
  int32_t l = 0;
  for (; l + Width <= n; l += Width) {
    const Lanes v = Load(row + l) - Load(pivot + l) * dd;
    Store(row + l, v);
    finite &= Magnitude(v) <= DBL_MAX;
    lanes.Add(v, LoadBits(freeMask + l));
  }
  best = lanes.Merge();
  bool ok = AllSet(finite);
  for (; l < n; ++l) {
    const double v = row[l] - pivot[l] * d;
    row[l] = v;
    ok = ok && IsFinite(v);
    if (freeMask[l]) Consider(best, std::fabs(v), l);
  }
  return ok;
}

__attribute__((target_clones("avx2", "default"))) bool Eliminate(double* row, const double* pivot, double d,
                                                                int32_t n) {
  const Lanes dd = {d, d, d, d};
  Bits finite = {-1, -1, -1, -1};
  int32_t l = 0;
  for (; l + Width <= n; l += Width) {
    const Lanes v = Load(row + l) - Load(pivot + l) * dd;
    Store(row + l, v);
    finite &= Magnitude(v) <= DBL_MAX;
  }
  bool ok = AllSet(finite);
  for (; l < n; ++l) {
    row[l] = row[l] - pivot[l] * d;
    ok = ok && IsFinite(row[l]);
  }
  return ok;
}

bool Scale(double* row, double p, int32_t n) {
  bool ok = true;
  for (int32_t l = 0; l < n; ++l) {
    row[l] *= p;
    ok &= IsFinite(row[l]);
  }
  return ok;
}

Candidate Search(const double* row, const int64_t* freeMask, int32_t n) {
  LaneBests lanes;
  int32_t l = 0;
  for (; l + Width <= n; l += Width) lanes.Add(Load(row + l), LoadBits(freeMask + l));
  Candidate best = lanes.Merge();
  for (; l < n; ++l)
    if (freeMask[l]) Consider(best, std::fabs(row[l]), l);
  return best;
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
