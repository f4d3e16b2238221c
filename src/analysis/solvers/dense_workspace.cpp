#include "analysis/solvers/dense_workspace.h"

#include <algorithm>

namespace trivane {

GlobalStiffness::GlobalStiffness(int32_t order)
    : stride_(static_cast<std::size_t>(std::max(order, 0))), values_(std::make_unique<double[]>(stride_ * stride_)) {}

}  // namespace trivane
