#pragma once
// The best of seven runs, in seconds: the figure least disturbed by whatever
// else the machine is doing, for ratios measured in the same run.
#include <algorithm>
#include <chrono>

namespace trivane {

template <typename Run>
double BestSeconds(Run run) {
  double best = 1e9;
  for (int k = 0; k < 7; ++k) {
    const auto start = std::chrono::steady_clock::now();
    run();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

}  // namespace trivane
