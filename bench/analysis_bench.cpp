// The whole compute of a 500-node cantilever (1000 unknowns, 882 elements), the
// solver alone on its restrained stiffness, and LAPACK's dgesv on the same
// system. Single-threaded: OpenBLAS is held to one thread.
#include <benchmark/benchmark.h>
#include <lapacke.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "analysis/compute.h"
#include "analysis/solvers/system.h"
#include "best_seconds.h"
#include "meshes.h"

extern "C" void openblas_set_num_threads(int threads);

namespace trivane {
namespace {

const Model& BenchModel() {
  static const Model model = examples::CantileverPlate(50, 10);
  return model;
}

// The restrained system, kept packed (n x n) so each run can start from it.
struct System {
  int32_t n = 0;
  std::vector<double> matrix;
  std::vector<double> rhs;
  PivotGuard guard;
};

// The Gauss-Jordan path's workspace.
struct DenseWorkspace {
  explicit DenseWorkspace(int32_t order) : stiffness(order), loads(order) {}
  GlobalStiffness stiffness;
  LoadVector loads;
};

const System& RestrainedSystem() {
  static const System system = [] {
    System s;
    s.n = 2 * BenchModel().nodeCount;
    DenseWorkspace tables(s.n);
    StressMatrices stressMatrices;
    s.guard = BuildSystem(BenchModel(), SystemInputOf(BenchModel()), tables.stiffness, tables.loads, stressMatrices);
    for (int32_t r = 1; r <= s.n; ++r) {
      s.matrix.insert(s.matrix.end(), tables.stiffness.Row(r), tables.stiffness.Row(r) + s.n);
      s.rhs.push_back(tables.loads(r));
    }
    return s;
  }();
  return system;
}

void Restore(const System& s, DenseWorkspace& tables) {
  for (int32_t r = 1; r <= s.n; ++r) {
    std::copy_n(s.matrix.data() + static_cast<std::size_t>((r - 1) * s.n), s.n, tables.stiffness.Row(r));
    tables.loads(r) = s.rhs[static_cast<std::size_t>(r - 1)];
  }
}

void SolveOnce(DenseWorkspace& tables) {
  const System& s = RestrainedSystem();
  Restore(s, tables);
  Solve(tables.stiffness, s.n, tables.loads, s.guard);
}

void DgesvOnce(std::vector<double>& a, std::vector<double>& b, std::vector<lapack_int>& pivots) {
  const System& s = RestrainedSystem();
  a = s.matrix;
  b = s.rhs;
  LAPACKE_dgesv(LAPACK_ROW_MAJOR, s.n, 1, a.data(), s.n, pivots.data(), b.data(), 1);
}

void BM_Compute(benchmark::State& state) {
  for (auto _ : state) {
    const Solution solution = Compute(BenchModel());
    benchmark::DoNotOptimize(solution.displacements.data());
  }
}
BENCHMARK(BM_Compute)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Includes restoring the system, which is what a compute pays for its build.
void BM_Solve(benchmark::State& state) {
  DenseWorkspace tables(RestrainedSystem().n);
  for (auto _ : state) {
    SolveOnce(tables);
    benchmark::DoNotOptimize(tables.loads(1));
  }
}
BENCHMARK(BM_Solve)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LapackDgesv(benchmark::State& state) {
  std::vector<double> a, b;
  std::vector<lapack_int> pivots(static_cast<std::size_t>(RestrainedSystem().n));
  for (auto _ : state) {
    DgesvOnce(a, b, pivots);
    benchmark::DoNotOptimize(b.data());
  }
}
BENCHMARK(BM_LapackDgesv)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void PrintRatio() {
  DenseWorkspace tables(RestrainedSystem().n);
  std::vector<double> a, b;
  std::vector<lapack_int> pivots(static_cast<std::size_t>(RestrainedSystem().n));
  const double compute = BestSeconds([&] { benchmark::DoNotOptimize(Compute(BenchModel()).displacements.data()); });
  const double solve = BestSeconds([&] { SolveOnce(tables); });
  const double dgesv = BestSeconds([&] { DgesvOnce(a, b, pivots); });
  std::printf("compute %.1f ms, Gauss-Jordan solve %.1f ms, dgesv %.1f ms, ratio %.1f (best of 7, n = %d)\n",
              compute * 1e3, solve * 1e3, dgesv * 1e3, solve / dgesv, RestrainedSystem().n);
}

}  // namespace
}  // namespace trivane

int main(int argc, char** argv) {
  openblas_set_num_threads(1);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  trivane::PrintRatio();
  return 0;
}
