#pragma once
// The three-node constant-strain triangle in plane stress: its stiffness
// Ke = B^T D B t A and its stress matrix D B, for every solver alike.
#include <array>
#include <cstdint>

#include "analysis/tables.h"
#include "model/model.h"

namespace trivane {

// One element's matrices. Local index 2k is the x and 2k + 1 the y degree of
// freedom of corner k; dof[] holds their global numbers.
struct ElementMatrices {
  std::array<int32_t, 6> dof;
  double stiffness[6][6];
  double stress[3][6];
};

// The corners must be nodes of the model. Throws Error with the floating-point
// fault's text (division by zero, invalid operation, overflow) at the first
// operation that faults, stress matrix first, then the stiffness term by term.
ElementMatrices ComputeElementMatrices(const Model& model, int32_t element);

// Writes element e's stress matrix and adds its stiffness into the dense global
// stiffness. The corners must be nodes of the model with numbers up to
// MaxGaussJordanNodes. Faults as ComputeElementMatrices, or overflow of a sum;
// what was written before stays written.
void AssembleElement(const Model& model, int32_t element, GlobalStiffness& stiffness,
                     ElementStressMatrix& stressMatrix);

// Copies an element's stress matrix into the table.
void StoreStressMatrix(const ElementMatrices& matrices, int32_t element, ElementStressMatrix& stressMatrix);

}  // namespace trivane
