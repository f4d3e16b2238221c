#pragma once
// The materials a model's elements use, numbered as ElementMaterialIndex numbers
// them: 0 the model's own, k region material k. Stresses jump where the
// material changes, so the recovery treats each material as a side of its own.
#include <cstdint>
#include <vector>

#include "model/model.h"

namespace trivane {

struct MaterialSides {
  std::vector<Material> constants;   // the element constants (plane strain converted)
  std::vector<double> enteredMu;     // Poisson's ratio as entered, for the out-of-plane stress
  std::vector<int32_t> ofElement;    // entry [e - 1]: the side of element e
};

// Throws Error as ElementMaterial does for a region material no elastic
// material has.
MaterialSides ElementMaterialSides(const Model& model);

}  // namespace trivane
