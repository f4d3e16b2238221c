// The large-model path on the 99,225-node square plate (198,450 unknowns,
// 197,192 elements): the whole compute beside CHOLMOD's own analyse, factorise
// and solve of the same restrained matrix, and opening and saving its problem
// file. Peak memory is reported as the process's high-water mark after the
// computes.
#include <benchmark/benchmark.h>
#include <cholmod.h>
#include <sys/resource.h>

#include <cstring>
#include <string>

#include "analysis/compute.h"
#include "analysis/sparse_system.h"
#include "io/problem_file.h"
#include "meshes.h"

namespace trivane {
namespace {

const Model& Plate() {
  static const Model model = examples::SquarePlate(315);
  return model;
}

const SparseSystem& PlateSystem() {
  static const SparseSystem system = [] {
    AnalysisTables tables;
    return BuildSparseSystem(Plate(), tables);
  }();
  return system;
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_LargeCompute(benchmark::State& state) {
  AnalysisTables tables;
  for (auto _ : state) {
    Compute(Plate(), tables);
    benchmark::DoNotOptimize(tables.loads(1));
  }
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_LargeCompute)->Unit(benchmark::kMillisecond)->Iterations(5);

// The reference: the matrix handed over ready, CHOLMOD doing the rest with the
// settings the program uses.
void BM_CholmodAlone(benchmark::State& state) {
  const SparseSystem& s = PlateSystem();
  for (auto _ : state) {
    cholmod_common common;
    cholmod_start(&common);
    common.supernodal = CHOLMOD_SUPERNODAL;
    common.nmethods = 1;
    common.method[0].ordering = CHOLMOD_AMD;
    const auto n = static_cast<std::size_t>(s.order);
    cholmod_sparse* a = cholmod_allocate_sparse(n, n, s.values.size(), 1, 1, 1, CHOLMOD_REAL, &common);
    std::memcpy(a->p, s.columnStart.data(), s.columnStart.size() * sizeof(int32_t));
    std::memcpy(a->i, s.rows.data(), s.rows.size() * sizeof(int32_t));
    std::memcpy(a->x, s.values.data(), s.values.size() * sizeof(double));
    cholmod_dense* b = cholmod_allocate_dense(n, 1, n, CHOLMOD_REAL, &common);
    std::memcpy(b->x, s.rhs.data(), n * sizeof(double));
    cholmod_factor* l = cholmod_analyze(a, &common);
    cholmod_factorize(a, l, &common);
    cholmod_dense* x = cholmod_solve(CHOLMOD_A, l, b, &common);
    benchmark::DoNotOptimize(static_cast<double*>(x->x)[0]);
    cholmod_free_dense(&x, &common);
    cholmod_free_dense(&b, &common);
    cholmod_free_factor(&l, &common);
    cholmod_free_sparse(&a, &common);
    cholmod_finish(&common);
  }
}
BENCHMARK(BM_CholmodAlone)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenProblem(benchmark::State& state) {
  const std::string bytes = WriteProblem(Plate());
  for (auto _ : state) benchmark::DoNotOptimize(ReadProblem(bytes, Model{}).nodeCount);
  state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}
BENCHMARK(BM_OpenProblem)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SaveProblem(benchmark::State& state) {
  const std::string path = "/tmp/trivane-bench-plate.trv";
  for (auto _ : state) SaveProblemFile(path, Plate());
}
BENCHMARK(BM_SaveProblem)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace trivane

BENCHMARK_MAIN();
