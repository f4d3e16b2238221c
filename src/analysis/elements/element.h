#pragma once
// The three-node constant-strain triangle in plane stress: its stiffness
// Ke = B^T D B t A and its stress matrix D B, for every solver alike.
#include <array>
#include <cstdint>

#include "model/model.h"

namespace trivane {

// One element's matrices. Local index 2k is the x and 2k + 1 the y degree of
// freedom of corner k; dof[] holds their global numbers.
struct ElementMatrices {
  std::array<int32_t, 6> dof;
  double stiffness[6][6];
  double stress[3][6];
};

// The corners must be nodes of the model; E, mu and t come from `material`.
// Throws Error with the floating-point fault's text (division by zero, invalid
// operation, overflow) at the first operation that faults, stress matrix
// first, then the stiffness term by term.
ElementMatrices ComputeElementMatrices(const Model& model, int32_t element, const Material& material);

}  // namespace trivane
