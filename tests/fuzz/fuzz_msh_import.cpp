// Any bytes given to the Gmsh mesh import either give a consistent model (every
// element corner and group item on the model, counts within the capacities,
// finite coordinates) or an error, and the model it was imported over is
// never changed.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "imported_model_check.h"
#include "io/msh_import.h"
#include "io/problem_file.h"
#include "model/errors.h"
#include "model/model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace trivane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  static const Model empty;
  try {
    const Model imported = ImportMsh(bytes, empty);
    CheckImportedModel(imported);
    // An accepted Gmsh mesh has at least one triangle and finite coordinates.
    FUZZ_CHECK(imported.nodeCount >= 1 && imported.elementCount >= 1);
    for (int32_t k = 1; k <= imported.nodeCount; ++k)
      FUZZ_CHECK(std::isfinite(imported.nodes[k].x) && std::isfinite(imported.nodes[k].y));
    // Every group item is on the model; whatever the names hold, the mesh
    // saves as a problem file that opens with the same groups.
    const auto node = [&](int32_t k) { return k >= 1 && k <= imported.nodeCount; };
    for (const Group& g : imported.conditions.groups) {
      for (size_t k = 0; k < g.nodes.size(); ++k) FUZZ_CHECK(node(g.nodes[k]) && (k == 0 || g.nodes[k - 1] < g.nodes[k]));
      for (const Edge& e : g.edges) FUZZ_CHECK(node(e.node1) && node(e.node2));
      for (size_t k = 0; k < g.elements.size(); ++k)
        FUZZ_CHECK(g.elements[k] >= 1 && g.elements[k] <= imported.elementCount &&
                   (k == 0 || g.elements[k - 1] < g.elements[k]));
    }
    bool reopened = false;
    try {
      reopened = ReadProblem(WriteProblem(imported), empty).conditions == imported.conditions;
    } catch (const Error&) {
    }
    FUZZ_CHECK(reopened);
  } catch (const Error&) {
  }
  FUZZ_CHECK(SameModel(empty, Model{}));
  return 0;
}
