#pragma once
// Material constants as the element formulas take them, for the model and for
// each region with a material of its own.
#include <cstdint>
#include <vector>

#include "model/material_rules.h"
#include "model/model.h"

namespace trivane {

// One material as the analysis reads it.
struct AnalysisMaterial {
  Material constants;     // what the element formulas take
  double enteredMu = 0.0; // Poisson's ratio as entered: the out-of-plane stress of plane strain
  double rho = 0.0;       // density, for self-weight
};

// The material of every element: the model's own, or its region's.
struct ElementMaterials {
  std::vector<AnalysisMaterial> materials;  // [0] the model's, [k] region material k (ElementMaterialIndex)
  std::vector<int32_t> index;               // entry [e - 1]: element e's material
  const AnalysisMaterial& Of(int32_t element) const {
    return materials[static_cast<std::size_t>(index[static_cast<std::size_t>(element - 1)])];
  }
};

// The model's material as it stands, and for each region material some
// element uses, its E and mu converted by the model's problem type as
// ElementMaterial converts the model's, with the model's thickness. Throws
// Error as ElementMaterial for a region's values.
ElementMaterials ElementMaterialsOf(const Model& model);

}  // namespace trivane
