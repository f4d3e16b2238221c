// The whole road of a model: open a problem file, compute (with the automatic
// choice of solver, and again with the sparse Cholesky path whatever the size),
// draw the model, the deformed shape and every stress plot, save and open
// again. Whatever the input, every result of a completed compute is finite and
// sized to its model, drawing (also with the results of an earlier input)
// leaves the model as it was, and saving then opening gives the same model back.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>
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

// A completed compute replaces `last`; a failed one leaves it.
void CheckCompute(const Model& model, Solution& last, SolverChoice solver) {
  try {
    Solution solution = Compute(model, solver);
    FUZZ_CHECK(solution.displacements.size() == static_cast<std::size_t>(2 * model.nodeCount));
    for (const double u : solution.displacements) FUZZ_CHECK(std::isfinite(u));
    for (int32_t k = 1; k <= StressComponentCount; ++k) {
      FUZZ_CHECK(StressValues(solution, k).size() == static_cast<std::size_t>(model.elementCount));
      for (const double s : StressValues(solution, k)) FUZZ_CHECK(std::isfinite(s));
    }
    last = std::move(solution);
  } catch (const Error&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  static Solution solution;
  static Solution sparseSolution;
  static const Palette palette;

  Model model;
  try {
    model = ReadProblem(bytes, Model{});
  } catch (const Error&) {
    return 0;
  }

  CheckCompute(model, sparseSolution, SolverChoice::Cholesky);
  CheckCompute(model, solution, SolverChoice::Automatic);

  RecordingCanvas canvas(640, 400);
  ViewTransform view;
  DrawModel(canvas, model, view, nullptr);
  const Model drawn = model;
  try {
    DrawDeformedShape(canvas, model, solution.displacements, view, nullptr);
  } catch (const Error&) {
  }
  FUZZ_CHECK(trivane::testing::IdenticalModels(drawn, model));
  for (int32_t k = 1; k <= StressComponentCount; ++k) {
    try {
      DrawStressPlot(canvas, model, StressValues(solution, k), palette, view);
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
