#include "analysis/material_sides.h"

#include "analysis/material.h"

namespace trivane {

MaterialSides ElementMaterialSides(const Model& model) {
  MaterialSides sides;
  sides.constants.push_back(model.material);
  sides.enteredMu.push_back(model.entered.mu);
  for (const RegionMaterial& region : model.conditions.regionMaterials) {
    EnteredMaterial entered = model.entered;
    entered.E = region.E;
    entered.mu = region.mu;
    entered.t = model.material.t;
    entered.rho = region.rho;
    Material constants = ElementMaterial(entered);
    constants.t = model.material.t;
    sides.constants.push_back(constants);
    sides.enteredMu.push_back(region.mu);
  }
  sides.ofElement = ElementMaterialIndex(model);
  return sides;
}

}  // namespace trivane
