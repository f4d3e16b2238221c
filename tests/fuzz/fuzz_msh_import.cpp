// Any bytes given to the Gmsh mesh import either give a consistent model (every
// element corner a node of the model, counts within the capacities, finite
// coordinates) or an error, and the model it was imported over is never changed.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "imported_model_check.h"
#include "io/msh_import.h"
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
  } catch (const Error&) {
  }
  FUZZ_CHECK(SameModel(empty, Model{}));
  return 0;
}
