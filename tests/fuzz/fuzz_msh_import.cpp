// Any bytes given to the Gmsh mesh import either give a consistent model (every
// element corner a node of the model, counts within the capacities, finite
// coordinates) or an error, and the model it was imported over is never changed.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "io/msh_import.h"
#include "model/errors.h"
#include "model/model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace trivane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  static const Model empty;
  try {
    const Model imported = ImportMsh(bytes, empty);
    FUZZ_CHECK(imported.nodeCount >= 1 && imported.nodeCount <= MaxNodes);
    FUZZ_CHECK(imported.elementCount >= 1 && imported.elementCount <= MaxElements);
    for (int32_t k = 1; k <= imported.nodeCount; ++k)
      FUZZ_CHECK(std::isfinite(imported.nodes[k].x) && std::isfinite(imported.nodes[k].y));
    for (int32_t e = 1; e <= imported.elementCount; ++e) {
      const Element& el = imported.elements[e];
      for (int32_t corner : {el.node1, el.node2, el.node3})
        FUZZ_CHECK(corner >= 1 && corner <= imported.nodeCount);
    }
  } catch (const Error&) {
  }
  FUZZ_CHECK(SameModel(empty, Model{}));
  return 0;
}
