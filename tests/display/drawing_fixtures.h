#pragma once
// Small models for the drawing tests.
#include <memory>

#include "model/model.h"

namespace trivane::testing {

// Two triangles forming the square (0,0)-(10,10), nodes 1..4 counter-clockwise
// from the origin. Heap-allocated: a Model holds full tables.
inline std::unique_ptr<Model> SquareModel() {
  auto model = std::make_unique<Model>();
  model->nodeCount = 4;
  model->nodes[1] = {0, 0};
  model->nodes[2] = {10, 0};
  model->nodes[3] = {10, 10};
  model->nodes[4] = {0, 10};
  model->elementCount = 2;
  model->elements[1] = {1, 2, 3};
  model->elements[2] = {1, 3, 4};
  UpdateBounds(*model);
  return model;
}

}  // namespace trivane::testing
