// Any bytes given to the bitmap reader give at most the columns asked for, or
// the "not a bitmap" error; it never reads outside the data.
#include <cstdint>
#include <string_view>

#include "display/bitmap.h"
#include "fuzz_check.h"
#include "model/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace trivane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    FUZZ_CHECK(ReadBitmapTopRow(bytes, 150).size() <= 150);
  } catch (const Error&) {
  }
  return 0;
}
