#pragma once
// Stresses of every element from its stress matrix and the solved displacements.
#include <cstdint>

#include "analysis/tables.h"
#include "model/model.h"

namespace trivane {

// The six components of one element, in StressComponent order.
struct ElementStresses {
  double values[StressComponentCount];
};

// sigma x, sigma y and tau xy from the stress matrix and the corners'
// displacements, then the principal stresses and the largest shear. Throws
// Error("Floating point overflow") if any value overflows.
ElementStresses ElementStress(const Model& model, int32_t element, const ElementStressMatrix& stressMatrix,
                              const LoadVector& displacements);

// Writes elements 1..elementCount of the stress field. Every element is
// computed before anything is written, so a fault leaves the field untouched.
void RecoverStresses(const Model& model, const ElementStressMatrix& stressMatrix, const LoadVector& displacements,
                     StressField& stresses);

}  // namespace trivane
