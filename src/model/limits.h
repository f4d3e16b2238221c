#pragma once
// Fixed capacities of the model store. Every table is sized once for the largest
// model; no writer may go past these.
#include <cstdint>

namespace trivane {

constexpr int32_t MaxNodes = 1000;
constexpr int32_t MaxElements = 1000;
constexpr int32_t MaxDof = 1000;
constexpr int32_t MaxSelection = 1000;

// Two degrees of freedom per node: the system tables hold at most this many nodes.
constexpr int32_t MaxAnalysisNodes = MaxDof / 2;

}  // namespace trivane
