// The large-model path on the 99,225-node square plate (198,450 unknowns,
// 197,192 elements), under its own weight and a pressure on its top edge
// besides the end load: the whole compute beside CHOLMOD's own analyse,
// factorise and solve of the same restrained matrix, in one run, and what
// assembling the loads costs of the compute; the same for the plate's 99,225
// nodes in six-node triangles; the plate warmed by 30 K beside it, for what a
// temperature strain adds; the plate as a spinning solid of revolution; then
// opening and saving the plate's problem file. Peak memory is reported as the
// process's high-water
// mark after the computes.
#include <benchmark/benchmark.h>
#include <cholmod.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "analysis/compute.h"
#include "analysis/loads/loads.h"
#include "analysis/solvers/sparse_system.h"
#include "best_seconds.h"
#include "io/problem_file.h"
#include "meshes.h"
#include "model/condition_edits.h"
#include "model/mesh_edges.h"

namespace trivane {
namespace {

const Model& Plate() {
  static const Model model = examples::SquarePlate(315);
  return model;
}

// Steel's density, gravity down, and 2e5 on the top edge y = 1.
Model Loaded(Model m) {
  m.entered.rho = 7850.0;
  m.conditions.gravity = {0.0, -9.81};
  for (const Edge& e : MeshEdges(m).BoundaryEdges())
    if (m.nodes[e.node1].y == 1.0 && m.nodes[e.node2].y == 1.0)
      m.conditions.edgeLoads.push_back({e, EdgeLoadKind::Pressure, 2e5});
  return m;
}

const Model& LoadedPlate() {
  static const Model model = Loaded(Plate());
  return model;
}

// The same plate as the half section of a solid of revolution about its left
// edge, turning at 100 rad/s: the ring element's cost beside the plane one's.
const Model& SpinningRing() {
  static const Model model = [] {
    Model m = LoadedPlate();
    SetMaterial(m, EnteredMaterial{Axisymmetric, m.entered.E, m.entered.mu, m.entered.t, m.entered.rho, 0.0});
    SetSpin(m, 100.0);
    return m;
  }();
  return model;
}

// The same plate and loads in six-node triangles: the same 99,225 nodes,
// 49,298 elements.
const Model& SixNodePlate() {
  static const Model model = Loaded(examples::SquarePlate(315, 2));
  return model;
}

SparseSystem SystemOf(const Model& model) {
  StressMatrices stressMatrices;
  return BuildSparseSystem(model, SystemInputOf(model), stressMatrices);
}

// The loaded plate of steel warmed by 30 K.
const Model& WarmPlate() {
  static const Model model = [] {
    Model m = LoadedPlate();
    m.entered.alpha = 1.2e-5;
    m.conditions.temperature.dt = 30.0;
    return m;
  }();
  return model;
}

const SparseSystem& PlateSystem() {
  static const SparseSystem system = SystemOf(LoadedPlate());
  return system;
}

const SparseSystem& SixNodeSystem() {
  static const SparseSystem system = SystemOf(SixNodePlate());
  return system;
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void ComputeOf(const Model& model) {
  const Solution solution = Compute(model);
  benchmark::DoNotOptimize(solution.displacements.data());
}
void ComputePlate() { ComputeOf(LoadedPlate()); }

// The reference: the matrix handed over ready, CHOLMOD doing the rest with the
// settings the program uses.
void CholmodAloneOn(const SparseSystem& s) {
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
void CholmodAlone() { CholmodAloneOn(PlateSystem()); }

void BM_LargeCompute(benchmark::State& state) {
  for (auto _ : state) ComputePlate();
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_LargeCompute)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LargeComputeAxisymmetric(benchmark::State& state) {
  for (auto _ : state) ComputeOf(SpinningRing());
}
BENCHMARK(BM_LargeComputeAxisymmetric)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CholmodAlone(benchmark::State& state) {
  for (auto _ : state) CholmodAlone();
}
BENCHMARK(BM_CholmodAlone)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SixNodeCompute(benchmark::State& state) {
  for (auto _ : state) ComputeOf(SixNodePlate());
}
BENCHMARK(BM_SixNodeCompute)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SixNodeCholmodAlone(benchmark::State& state) {
  for (auto _ : state) CholmodAloneOn(SixNodeSystem());
}
BENCHMARK(BM_SixNodeCholmodAlone)->Unit(benchmark::kMillisecond)->Iterations(5);

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

// The ratios, each from the best of seven runs taken one after the other.
void PrintRatios() {
  const double compute = BestSeconds(ComputePlate);
  const double cholmod = BestSeconds(CholmodAlone);
  const double loads = BestSeconds([] { benchmark::DoNotOptimize(NodalForces(LoadedPlate()).data()); });
  const double warm = BestSeconds([] { benchmark::DoNotOptimize(Compute(WarmPlate()).displacements.data()); });
  const double warmLoads = BestSeconds([] { benchmark::DoNotOptimize(NodalForces(WarmPlate()).data()); });
  std::printf("warmed by 30 K: compute %.0f ms, %.3f of the compute without; its loads %.1f ms, %.2f times "
              "those without\n",
              warm * 1e3, warm / compute, warmLoads * 1e3, warmLoads / loads);
  std::printf("compute %.0f ms (self-weight and %zu loaded edges); CHOLMOD alone %.0f ms; ratio %.2f\n"
              "assembling the loads %.1f ms, %.2f %% of the compute (best of 7)\n",
              compute * 1e3, LoadedPlate().conditions.edgeLoads.size(), cholmod * 1e3, compute / cholmod,
              loads * 1e3, 100.0 * loads / compute);
  const double sixNode = BestSeconds([] { ComputeOf(SixNodePlate()); });
  const double sixNodeCholmod = BestSeconds([] { CholmodAloneOn(SixNodeSystem()); });
  std::printf("six-node plate (%d nodes, %d elements): compute %.0f ms; CHOLMOD alone %.0f ms; ratio %.2f\n",
              SixNodePlate().nodeCount, SixNodePlate().elementCount, sixNode * 1e3, sixNodeCholmod * 1e3,
              sixNode / sixNodeCholmod);
}

}  // namespace
}  // namespace trivane

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  trivane::PrintRatios();
  return 0;
}
