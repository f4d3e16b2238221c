// The number readers accept exactly what they document: whatever they accept
// is finite and survives being written and read again.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "io/number_text.h"
#include "model/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace trivane;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const int32_t value = ReadInteger(text);
    FUZZ_CHECK(ReadInteger(FormatInteger(value)) == value);
  } catch (const Error&) {
  }
  try {
    const double value = ReadReal(text);
    FUZZ_CHECK(std::isfinite(value));
    FUZZ_CHECK(ReadReal(FormatShortest(value)) == value);
    const std::string field = FormatRealField(value);
    FUZZ_CHECK(field.size() == 23);
    const double rounded = ReadReal(field);
    FUZZ_CHECK(std::isfinite(rounded));
    FUZZ_CHECK(FormatRealField(rounded) == field);
    FUZZ_CHECK(std::isfinite(ReadReal(FormatGeneral(value))));
  } catch (const Error&) {
  }
  return 0;
}
