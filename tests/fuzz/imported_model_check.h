#pragma once
// What every mesh import promises of a model it accepts: counts within the
// limits and every element corner one of its nodes.
#include "fuzz_check.h"
#include "model/model.h"

inline void CheckImportedModel(const trivane::Model& imported) {
  FUZZ_CHECK(imported.nodeCount >= 0 && imported.nodeCount <= trivane::MaxNodes);
  FUZZ_CHECK(imported.elementCount >= 0 && imported.elementCount <= trivane::MaxElements);
  for (int32_t e = 1; e <= imported.elementCount; ++e) {
    for (const int32_t corner : imported.elements[e].Nodes()) FUZZ_CHECK(corner >= 1 && corner <= imported.nodeCount);
  }
}
