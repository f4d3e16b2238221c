#include "analysis/solvers/sparse_system.h"

#include <algorithm>

#include "analysis/checked.h"

namespace trivane {

namespace {

std::size_t Index(int32_t k) { return static_cast<std::size_t>(k); }

// Every node's neighbours through the elements, itself included, ascending:
// the nodes whose degrees of freedom share a stiffness entry with it.
struct NodeGraph {
  std::vector<int32_t> start;  // node i's neighbours are at [start[i], start[i + 1])
  std::vector<int32_t> neighbours;
};

NodeGraph ConnectNodes(const Model& model) {
  const int32_t n = model.nodeCount;
  NodeGraph g;
  g.start.assign(Index(n) + 2, 0);
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const std::span<const int32_t> nodes = model.elements[Index(e)].Nodes();
    for (const int32_t a : nodes) g.start[Index(a) + 1] += static_cast<int32_t>(nodes.size());
  }
  for (int32_t i = 1; i <= n + 1; ++i) g.start[Index(i)] += g.start[Index(i) - 1];
  g.neighbours.resize(Index(g.start[Index(n) + 1]));
  std::vector<int32_t> next(g.start.begin(), g.start.end() - 1);
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const std::span<const int32_t> nodes = model.elements[Index(e)].Nodes();
    for (const int32_t a : nodes)
      for (const int32_t b : nodes) g.neighbours[Index(next[Index(a)]++)] = b;
  }
  // Sort and drop repeats in place, compacting the lists.
  int32_t write = 0;
  for (int32_t i = 1; i <= n; ++i) {
    const auto first = g.neighbours.begin() + g.start[Index(i)];
    const auto last = g.neighbours.begin() + g.start[Index(i) + 1];
    std::sort(first, last);
    const auto end = std::unique(first, last);
    g.start[Index(i)] = write;
    write = static_cast<int32_t>(std::copy(first, end, g.neighbours.begin() + write) - g.neighbours.begin());
  }
  g.start[Index(n) + 1] = write;
  g.neighbours.resize(Index(write));
  return g;
}

// Columns of the free degrees of freedom, in the model's order.
int32_t NumberFreeDofs(const std::vector<uint8_t>& fixed, std::vector<int32_t>& column) {
  column.assign(fixed.size() + 1, -1);
  int32_t order = 0;
  for (std::size_t d = 1; d <= fixed.size(); ++d)
    if (!fixed[d - 1]) column[d] = order++;
  return order;
}

// The upper triangle's pattern: column c of node b's degree of freedom holds
// the free degrees of freedom of b's neighbours numbered up to c. Neighbours
// ascend, and so do their columns.
void BuildPattern(const Model& model, const NodeGraph& graph, SparseSystem& system) {
  system.columnStart.assign(Index(system.order) + 1, 0);
  std::vector<int32_t>& rows = system.rows;
  rows.clear();
  // Each neighbour pair gives at most two entries per column of the pair's
  // upper triangle: reserving that keeps the pattern from being copied.
  rows.reserve(2 * graph.neighbours.size() + static_cast<std::size_t>(model.nodeCount));
  for (int32_t b = 1; b <= model.nodeCount; ++b) {
    for (const int32_t dofB : {2 * b - 1, 2 * b}) {
      const int32_t c = system.column[Index(dofB)];
      if (c < 0) continue;
      for (int32_t k = graph.start[Index(b)]; k < graph.start[Index(b) + 1]; ++k) {
        const int32_t a = graph.neighbours[Index(k)];
        for (const int32_t dofA : {2 * a - 1, 2 * a}) {
          const int32_t r = system.column[Index(dofA)];
          if (r >= 0 && r <= c) rows.push_back(r);
        }
      }
      system.columnStart[Index(c) + 1] = static_cast<int32_t>(rows.size());
    }
  }
  system.values.assign(rows.size(), 0.0);
}

// Keeps the upper triangle of the free degrees of freedom.
class SparseSink final : public StiffnessSink {
 public:
  explicit SparseSink(SparseSystem& system) : system_(system) {}
  void Add(int32_t row, int32_t column, double value) override {
    const int32_t r = system_.column[Index(row)];
    const int32_t c = system_.column[Index(column)];
    if (r < 0 || c < r) return;
    const auto first = system_.rows.begin() + system_.columnStart[Index(c)];
    const auto last = system_.rows.begin() + system_.columnStart[Index(c) + 1];
    double& entry = system_.values[Index(std::lower_bound(first, last, r) - system_.rows.begin())];
    entry = checked::Add(entry, value);
  }

 private:
  SparseSystem& system_;
};

}  // namespace

SparseSystem BuildSparseSystem(const Model& model, const SystemInput& input, StressMatrices& stressMatrices) {
  SparseSystem system;
  system.order = NumberFreeDofs(input.fixed, system.column);
  BuildPattern(model, ConnectNodes(model), system);
  SparseSink sink(system);
  system.minimumPivot = AssembleStiffness(model, input.materials, stressMatrices, sink);
  system.rhs.assign(Index(system.order), 0.0);
  for (std::size_t d = 1; d <= input.fixed.size(); ++d)
    if (const int32_t c = system.column[d]; c >= 0) system.rhs[Index(c)] = input.forces[d - 1];
  return system;
}

}  // namespace trivane
