#pragma once
// The one place where tests say how close two computed reals must be.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace trivane::testing {

// Relative to the larger magnitude, absolute near zero.
inline ::testing::AssertionResult Close(double actual, double expected, double tolerance = 1e-12) {
  const double scale = std::fmax(1.0, std::fmax(std::fabs(actual), std::fabs(expected)));
  if (std::fabs(actual - expected) <= tolerance * scale) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual << " differs from " << expected << " by more than "
                                       << tolerance << " (relative)";
}

// Files of the source tree, independent of the directory the test runs in.
inline std::string SourcePath(const std::string& relative) {
  return std::string(TRIVANE_SOURCE_DIR) + "/" + relative;
}
inline std::string DataPath(const std::string& name) { return SourcePath("tests/data/" + name); }

}  // namespace trivane::testing
