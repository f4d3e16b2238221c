#include "analysis/tables.h"

#include <algorithm>

namespace trivane {

namespace {
std::unique_ptr<double[]> Zeroed(int32_t count) {
  return std::make_unique<double[]>(static_cast<std::size_t>(count));
}
}  // namespace

GlobalStiffness::GlobalStiffness() : values_(Zeroed(MaxDof * MaxDof)) {}
LoadVector::LoadVector() : values_(Zeroed(MaxDof)) {}
ElementStressMatrix::ElementStressMatrix() : values_(Zeroed(MaxElements * BlockSize)) {}
StressField::StressField() : values_(Zeroed(MaxElements * StressComponentCount)) {}

void ClearSystem(AnalysisTables& tables, int32_t nodeCount) {
  const int32_t order = std::min(2 * std::max(nodeCount, 0), MaxDof);
  for (int32_t r = 1; r <= order; ++r) std::fill_n(tables.stiffness.Row(r), order, 0.0);
  for (int32_t d = 1; d <= order; ++d) tables.loads(d) = 0.0;
}

}  // namespace trivane
