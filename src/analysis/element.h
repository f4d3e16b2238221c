#pragma once
// The three-node constant-strain triangle in plane stress.
#include <cstdint>

#include "analysis/tables.h"
#include "model/model.h"

namespace trivane {

// Writes element e's stress matrix and adds its 6 x 6 stiffness into the global
// stiffness. The corners must be nodes of the model with numbers up to
// MaxAnalysisNodes. Throws Error with the floating-point fault's text (division
// by zero, invalid operation, overflow) at the first operation that faults; what
// was written before it stays written.
void AssembleElement(const Model& model, int32_t element, GlobalStiffness& stiffness,
                     ElementStressMatrix& stressMatrix);

}  // namespace trivane
