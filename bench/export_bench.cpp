// The export of the largest model the program takes to its size: a square
// grid of 315 x 315 nodes (99,225 nodes, 197,192 triangles), computed once by
// the sparse path, then written as .vtu and as the two CSV tables. The
// reference in the same run is the file system itself: writing the same number
// of bytes, already encoded, through the same atomic save. The ratio is what
// the encoding costs on top of the disk.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "analysis/compute.h"
#include "app/exported_results.h"
#include "io/files.h"
#include "io/results_files.h"
#include "best_seconds.h"
#include "meshes.h"

namespace trivane {
namespace {

struct Computed {
  Model model;
  Solution solution;
};

const Computed& Square() {
  static const Computed computed = [] {
    Computed c;
    // 315 x 315 nodes on a 10 x 10 square, clamped and loaded as the cantilever.
    c.model = examples::CantileverPlate(315, 315);
    for (int32_t i = 1; i <= c.model.nodeCount; ++i) c.model.nodes[i].y *= 10.0;
    UpdateBounds(c.model);
    c.solution = Compute(c.model);
    return c;
  }();
  return computed;
}

std::string Target(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void ExportVtu() { WriteResultsFile(Target("trivane-bench.vtu"), Square().model, ExportedResultsOf(Square().solution)); }
void ExportCsv() { WriteResultsFile(Target("trivane-bench.csv"), Square().model, ExportedResultsOf(Square().solution)); }

void BM_ExportVtu(benchmark::State& state) {
  for (auto _ : state) ExportVtu();
}
BENCHMARK(BM_ExportVtu)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_VtuText(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(VtuText(Square().model, ExportedResultsOf(Square().solution)));
}
BENCHMARK(BM_VtuText)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ExportCsv(benchmark::State& state) {
  for (auto _ : state) ExportCsv();
}
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void PrintRatio() {
  const std::string bytes = VtuText(Square().model, ExportedResultsOf(Square().solution));
  const double vtu = BestSeconds(ExportVtu);
  const double plain = BestSeconds([&] { WriteFileAtomically(Target("trivane-bench.raw"), bytes); });
  std::printf(".vtu export %.0f ms for %d nodes, %d elements (%.1f MB); the same bytes saved as they are %.0f ms; "
              "ratio %.2f (best of 7)\n",
              vtu * 1e3, Square().model.nodeCount, Square().model.elementCount, bytes.size() / 1e6, plain * 1e3,
              vtu / plain);
  for (const char* name : {"trivane-bench.vtu", "trivane-bench.csv", "trivane-bench_elements.csv", "trivane-bench.raw"})
    std::filesystem::remove(Target(name));
}

}  // namespace
}  // namespace trivane

int main(int argc, char** argv) {
  trivane::Square();  // the compute is not what is measured
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  trivane::PrintRatio();
  return 0;
}
