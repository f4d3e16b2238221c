#include "analysis/elements/material.h"

#include "model/errors.h"

namespace trivane {

ElementMaterials ElementMaterialsOf(const Model& model) {
  ElementMaterials m;
  m.index = ElementMaterialIndex(model);
  const auto& regions = model.conditions.regionMaterials;
  const AnalysisMaterial own{model.material, model.entered.mu, model.entered.rho};
  m.materials.assign(regions.size() + 1, own);
  // A region material no element uses is left unread: it cannot stop a compute.
  std::vector<bool> used(m.materials.size(), false);
  for (const int32_t k : m.index) used[static_cast<std::size_t>(k)] = true;
  for (std::size_t k = 1; k < m.materials.size(); ++k) {
    if (!used[k]) continue;
    const RegionMaterial& r = regions[k - 1];
    const EnteredMaterial entered{model.entered.problem, r.E, r.mu, model.material.t, r.rho};
    m.materials[k] = {ElementConstants(entered), r.mu, r.rho};
  }
  return m;
}

}  // namespace trivane
