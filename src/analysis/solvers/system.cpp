#include "analysis/solvers/system.h"

#include <algorithm>

#include "analysis/checked.h"

namespace trivane {

namespace {

class DenseSink final : public StiffnessSink {
 public:
  explicit DenseSink(GlobalStiffness& stiffness) : stiffness_(stiffness) {}
  void Add(int32_t row, int32_t column, double value) override {
    double& entry = stiffness_(row, column);
    entry = checked::Add(entry, value);
  }

 private:
  GlobalStiffness& stiffness_;
};

void Restrain(GlobalStiffness& stiffness, LoadVector& loads, int32_t order, int32_t dof) {
  for (int32_t j = 1; j <= order; ++j) {
    stiffness(dof, j) = 0.0;
    stiffness(j, dof) = 0.0;
  }
  stiffness(dof, dof) = 1.0;
  loads(dof) = 0.0;
}

}  // namespace

PivotGuard BuildSystem(const Model& model, const SystemInput& input, GlobalStiffness& stiffness, LoadVector& loads,
                       StressMatrices& stressMatrices) {
  const int32_t order = 2 * model.nodeCount;
  for (int32_t d = 1; d <= order; ++d) loads(d) = input.forces[static_cast<std::size_t>(d - 1)];
  DenseSink sink(stiffness);
  PivotGuard guard;
  guard.minimumPivot = AssembleStiffness(model, input.materials, stressMatrices, sink);
  // Clearing a row and column never touches another fixed degree of
  // freedom's diagonal, so the order of the restraints leaves no trace.
  for (int32_t d = 1; d <= order; ++d) {
    const bool fixed = input.fixed[static_cast<std::size_t>(d - 1)];
    if (fixed) Restrain(stiffness, loads, order, d);
    guard.restrained[static_cast<std::size_t>(d)] = fixed;
  }
  return guard;
}

}  // namespace trivane
