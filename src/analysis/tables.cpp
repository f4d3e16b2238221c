#include "analysis/tables.h"

#include <algorithm>

namespace trivane {

namespace {
std::unique_ptr<double[]> Zeroed(int32_t count) {
  return std::make_unique<double[]>(static_cast<std::size_t>(count));
}
void GrowTo(std::vector<double>& values, std::size_t size) {
  if (values.size() < size) values.resize(size, 0.0);
}
}  // namespace

GlobalStiffness::GlobalStiffness() : values_(Zeroed(MaxGaussJordanDof * MaxGaussJordanDof)) {}

void LoadVector::Grow(int32_t order) { GrowTo(values_, static_cast<std::size_t>(std::max(order, 0))); }

void ElementStressMatrix::Grow(int32_t count) {
  GrowTo(values_, static_cast<std::size_t>(std::max(count, 0)) * BlockSize);
}

StressField::StressField() {
  for (auto& component : components_) component.assign(InitialElementCapacity, 0.0);
}

void StressField::Grow(int32_t count) {
  for (auto& component : components_) GrowTo(component, static_cast<std::size_t>(std::max(count, 0)));
}

void ClearSystem(AnalysisTables& tables, int32_t nodeCount) {
  const int32_t order = 2 * std::max(nodeCount, 0);
  const int32_t dense = std::min(order, MaxGaussJordanDof);
  for (int32_t r = 1; r <= dense; ++r) std::fill_n(tables.stiffness.Row(r), dense, 0.0);
  const auto loads = tables.loads.Values();
  std::fill_n(loads.begin(), std::min(loads.size(), static_cast<std::size_t>(order)), 0.0);
}

}  // namespace trivane
