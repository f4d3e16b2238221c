// Any bytes given to the problem-file reader either give a model within the
// capacities, its section included, that writes and reads back unchanged, or
// an error that leaves the current model exactly as it was.
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "io/problem_file.h"
#include "model/errors.h"
#include "model/model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace trivane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  static const Model current = [] {
    Model m;
    m.nodeCount = 2;
    m.nodes[1] = {1.0, 2.0, 3, 1, 5.0, 90.0};
    m.nodes[2] = {-1.0, 0.5};
    m.elementCount = 1;
    m.elements[1] = {1, 2, 1};
    UpdateBounds(m);
    return m;
  }();
  Model snapshot = current;
  try {
    const Model opened = ReadProblem(bytes, current);
    FUZZ_CHECK(opened.nodeCount >= 0 && opened.nodeCount <= MaxNodes);
    FUZZ_CHECK(opened.elementCount >= 0 && opened.elementCount <= MaxElements);
    // The writer only produces single-digit conditions; other values do not round trip.
    bool digits = true;
    for (int32_t k = 1; k <= opened.nodeCount; ++k)
      digits = digits && opened.nodes[k].restraint >= 0 && opened.nodes[k].restraint <= 9 &&
               opened.nodes[k].orientation >= 0 && opened.nodes[k].orientation <= 9;
    if (digits) {
      const Model again = ReadProblem(WriteProblem(opened), current);
      FUZZ_CHECK(again.nodeCount == opened.nodeCount && again.elementCount == opened.elementCount);
      for (int32_t e = 1; e <= opened.elementCount; ++e) FUZZ_CHECK(again.elements[e] == opened.elements[e]);
      // The section's reals are written in full: material and conditions come
      // back exactly. The node values come back to 15 significant digits, so
      // a second round is exact.
      FUZZ_CHECK(again.entered == opened.entered && again.material == opened.material);
      FUZZ_CHECK(again.conditions == opened.conditions);
      FUZZ_CHECK(WriteProblem(again) == WriteProblem(opened));
    }
  } catch (const Error&) {
  }
  FUZZ_CHECK(SameModel(snapshot, current));
  return 0;
}
