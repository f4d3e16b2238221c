#include "analysis/elements/material.h"

#include <map>
#include <utility>

#include "model/errors.h"

namespace trivane {

ElementMaterials ElementMaterialsOf(const Model& model) {
  ElementMaterials m;
  m.index = ElementMaterialIndex(model);
  const auto& regions = model.conditions.regionMaterials;
  const double modelDt = model.conditions.temperature.dt;
  const AnalysisMaterial own{model.material, model.entered.mu, model.entered.rho, model.entered.E,
                             model.entered.alpha, model.entered.alpha == 0.0 ? 0.0 : modelDt};
  m.materials.assign(regions.size() + 1, own);
  // A region material no element uses is left unread: it cannot stop a compute.
  std::vector<bool> used(m.materials.size(), false);
  for (const int32_t k : m.index) used[static_cast<std::size_t>(k)] = true;
  for (std::size_t k = 1; k < m.materials.size(); ++k) {
    if (!used[k]) continue;
    const RegionMaterial& r = regions[k - 1];
    const EnteredMaterial entered{model.entered.problem, r.E, r.mu, model.material.t, r.rho, r.alpha};
    m.materials[k] = {ElementConstants(entered), r.mu, r.rho, r.E, r.alpha, r.alpha == 0.0 ? 0.0 : modelDt};
  }
  if (model.conditions.temperature.regions.empty()) return m;
  // A region's own temperature change makes a side of its own for each
  // material it meets that expands with heat.
  const std::vector<double> dt = ElementTemperatureChanges(model);
  std::map<std::pair<int32_t, double>, int32_t> sides;
  for (std::size_t e = 0; e < m.index.size(); ++e) {
    const AnalysisMaterial& material = m.materials[static_cast<std::size_t>(m.index[e])];
    const double own = material.alpha == 0.0 ? 0.0 : dt[e];
    if (own == material.dt) continue;
    const auto [found, added] = sides.try_emplace({m.index[e], own}, static_cast<int32_t>(m.materials.size()));
    if (added) {
      AnalysisMaterial side = material;
      side.dt = own;
      m.materials.push_back(side);
    }
    m.index[e] = found->second;
  }
  return m;
}

InitialStrain InitialStrainOf(const AnalysisMaterial& material, ProblemType problem) {
  if (material.alpha == 0.0 || material.dt == 0.0) return {};
  const double free = material.alpha * material.dt;
  const double direct = problem == PlaneStrain ? (1.0 + material.enteredMu) * free : free;
  return {direct, direct, 0.0, direct};
}

double OutOfPlaneStress(const AnalysisMaterial& material, ProblemType problem, double sx, double sy) {
  if (problem != PlaneStrain) return 0.0;
  const double sz = material.enteredMu * (sx + sy);
  if (material.alpha == 0.0 || material.dt == 0.0) return sz;
  return sz - material.enteredE * material.alpha * material.dt;
}

}  // namespace trivane
