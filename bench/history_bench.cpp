// Memory of one undo step: a support put on 10,000 nodes, in a model of
// 20,000 nodes and in one of 99,999. The heap the history holds after the step
// is counted by the allocator itself, so the figure does not rest on the
// history's own accounting; a whole-model step (an import) is shown beside it.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "app/history.h"

namespace {

std::atomic<long long> liveBytes{0};

}  // namespace

void* operator new(std::size_t size) {
  void* p = std::malloc(size + sizeof(std::max_align_t));
  if (!p) throw std::bad_alloc();
  *static_cast<std::size_t*>(p) = size;
  liveBytes += static_cast<long long>(size);
  return static_cast<char*>(p) + sizeof(std::max_align_t);
}
void operator delete(void* p) noexcept {
  if (!p) return;
  char* block = static_cast<char*>(p) - sizeof(std::max_align_t);
  liveBytes -= static_cast<long long>(*reinterpret_cast<std::size_t*>(block));
  std::free(block);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace trivane {
namespace {

Model Grid(int32_t nodes) {
  Model model;
  model.nodeCount = nodes;
  for (int32_t k = 1; k <= nodes; ++k) model.nodes[k] = {double(k % 300), double(k / 300)};
  return model;
}

// range(0): nodes in the model; range(1): 1 for a support on 10,000 nodes, 0
// for a whole-model step.
void BM_OneUndoStep(benchmark::State& state) {
  Model model = Grid(static_cast<int32_t>(state.range(0)));
  std::vector<int32_t> nodes;
  for (int32_t k = 1; k <= 10'000; ++k) nodes.push_back(k);
  long long held = 0;
  for (auto _ : state) {
    History history;
    const long long before = liveBytes;
    Step step = state.range(1) ? Capture(model, EditScope::Nodes(nodes)) : Capture(model, EditScope::WholeModel());
    if (state.range(1)) {
      for (int32_t k : nodes) model.nodes[k].restraint = model.nodes[k].restraint == FixedXY ? Free : FixedXY;
    } else {
      model.nodes[1].x += 1.0;
    }
    KeepChanged(step, model);
    history.Record(std::move(step));
    held = liveBytes - before;
    benchmark::DoNotOptimize(history);
  }
  state.counters["bytes_held"] = static_cast<double>(held);
  state.counters["bytes_per_changed_node"] = state.range(1) ? static_cast<double>(held) / 10'000.0 : 0.0;
}
BENCHMARK(BM_OneUndoStep)->Args({20'000, 1})->Args({99'999, 1})->Args({99'999, 0})->Iterations(5);

}  // namespace
}  // namespace trivane

BENCHMARK_MAIN();
