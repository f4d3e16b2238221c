#pragma once
// Bit-for-bit comparison of whole models: counts, every stored table entry
// (beyond the counts too), bounds and material. Signed zeros and NaN payloads
// count as differences.
#include <algorithm>
#include <cstring>

#include "model/model.h"

namespace trivane::testing {

template <typename T>
bool SameBytes(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

template <typename T, int32_t Capacity>
bool SameTableBits(const Table<T, Capacity>& a, const Table<T, Capacity>& b) {
  const auto stored = static_cast<std::ptrdiff_t>(std::max(a.Stored(), b.Stored()));
  for (std::ptrdiff_t k = 1; k < stored; ++k)
    if (!SameBytes(a[k], b[k])) return false;
  return true;
}

inline bool IdenticalModels(const Model& a, const Model& b) {
  return a.nodeCount == b.nodeCount && a.elementCount == b.elementCount && SameTableBits(a.nodes, b.nodes) &&
         SameTableBits(a.elements, b.elements) && SameBytes(a.bounds, b.bounds) && SameBytes(a.material, b.material);
}

}  // namespace trivane::testing
