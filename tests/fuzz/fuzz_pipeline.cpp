// The whole road of a model: open a problem file, compute (with the automatic
// choice of solver, and again with the sparse Cholesky path whatever the size),
// draw the model, the deformed shape and every stress plot, save and open
// again. Whatever the input, a failing step leaves the results as they were,
// every result the plots read is finite, drawing leaves the model as it was,
// and saving then opening gives the same model back.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "analysis/compute.h"
#include "display/deformed_plot.h"
#include "display/model_drawing.h"
#include "display/palette.h"
#include "display/recording_canvas.h"
#include "display/stress_plot.h"
#include "fuzz_check.h"
#include "io/problem_file.h"
#include "model/errors.h"
#include "model/model.h"
#include "support/model_bits.h"

namespace {

using namespace trivane;

// The displacements, then each stress component.
std::vector<std::vector<double>> Results(const AnalysisTables& tables) {
  std::vector<std::vector<double>> columns{{Displacements(tables).begin(), Displacements(tables).end()}};
  for (int32_t k = 1; k <= StressComponentCount; ++k)
    columns.emplace_back(StressValues(tables, k).begin(), StressValues(tables, k).end());
  return columns;
}

// A failed compute may leave a table longer, with zeros, but no value changed.
bool BitwiseEqual(const std::vector<std::vector<double>>& before, const std::vector<std::vector<double>>& after) {
  for (std::size_t c = 0; c < before.size(); ++c) {
    if (after[c].size() < before[c].size()) return false;
    if (!before[c].empty() && std::memcmp(before[c].data(), after[c].data(), before[c].size() * sizeof(double)) != 0)
      return false;
    for (std::size_t i = before[c].size(); i < after[c].size(); ++i)
      if (after[c][i] != 0.0) return false;
  }
  return true;
}

void CheckCompute(const Model& model, AnalysisTables& tables, SolverChoice solver) {
  const auto before = Results(tables);
  try {
    Compute(model, tables, solver);
    for (int32_t d = 1; d <= 2 * model.nodeCount; ++d) FUZZ_CHECK(std::isfinite(tables.loads(d)));
    for (int32_t k = 1; k <= StressComponentCount; ++k)
      for (int32_t e = 1; e <= model.elementCount; ++e) FUZZ_CHECK(std::isfinite(StressValue(tables, e, k)));
  } catch (const Error&) {
    FUZZ_CHECK(BitwiseEqual(before, Results(tables)));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  static AnalysisTables tables;
  static AnalysisTables sparseTables;
  static const Palette palette;

  Model model;
  try {
    model = ReadProblem(bytes, Model{});
  } catch (const Error&) {
    return 0;
  }

  CheckCompute(model, sparseTables, SolverChoice::Cholesky);
  CheckCompute(model, tables, SolverChoice::Automatic);

  RecordingCanvas canvas(640, 400);
  ViewTransform view;
  DrawModel(canvas, model, view, nullptr);
  const Model drawn = model;
  try {
    DrawDeformedShape(canvas, model, Displacements(tables), view, nullptr);
  } catch (const Error&) {
  }
  FUZZ_CHECK(trivane::testing::IdenticalModels(drawn, model));
  for (int32_t k = 1; k <= StressComponentCount; ++k) {
    try {
      DrawStressPlot(canvas, model, StressValues(tables, k), palette, view);
    } catch (const Error&) {
    }
  }

  bool digits = true;
  for (int32_t k = 1; k <= model.nodeCount; ++k)
    digits = digits && model.nodes[k].restraint >= 0 && model.nodes[k].restraint <= 9 &&
             model.nodes[k].orientation >= 0 && model.nodes[k].orientation <= 9;
  if (digits) {
    const std::string saved = WriteProblem(model);
    FUZZ_CHECK(WriteProblem(ReadProblem(saved, Model{})) == saved);
  }
  return 0;
}
