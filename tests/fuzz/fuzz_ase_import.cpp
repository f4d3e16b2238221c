// Any bytes given to the mesh import either give a consistent model (every
// element corner a node of the model, counts within the capacities) or an
// error, and the model it was imported over is never changed.
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "imported_model_check.h"
#include "io/ase_import.h"
#include "model/errors.h"
#include "model/model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace trivane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  static const Model empty;
  try {
    CheckImportedModel(ImportAse(bytes, empty));
  } catch (const Error&) {
  }
  FUZZ_CHECK(SameModel(empty, Model{}));
  return 0;
}
