#include "analysis/material.h"

#include "analysis/checked.h"
#include "model/errors.h"

namespace trivane {

Material PlaneStrainMaterial(double E, double mu, double t) {
  Material m;
  m.E = checked::Div(E, checked::Sub(1.0, checked::Mul(mu, mu)));
  m.mu = checked::Div(mu, checked::Sub(1.0, mu));
  m.t = t;
  return m;
}

// The stiffness D is positive definite only for E > 0 and -1 < mu < 1/2 (plane
// strain before conversion); in plane stress mu = 1/2 still gives a positive
// definite D. A non-positive thickness turns every element's stiffness round.
Material ElementMaterial(const EnteredMaterial& entered) {
  const bool planeStrain = entered.problem == PlaneStrain;
  if (!(entered.E > 0.0)) throw Error(messages::ModulusNotPositive);
  if (!(entered.mu > -1.0)) throw Error(messages::PoissonRatioTooSmall);
  if (planeStrain && !(entered.mu < 0.5)) throw Error(messages::PoissonRatioTooLargePlaneStrain);
  if (!planeStrain && !(entered.mu <= 0.5)) throw Error(messages::PoissonRatioTooLargePlaneStress);
  if (!(entered.t > 0.0)) throw Error(messages::ThicknessNotPositive);
  if (planeStrain) return PlaneStrainMaterial(entered.E, entered.mu, entered.t);
  return Material{entered.mu, entered.E, entered.t};
}

void SetMaterial(Model& model, const EnteredMaterial& entered) {
  model.material = ElementMaterial(entered);
  model.entered = entered;
}

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
    m.materials[k] = {ElementMaterial(entered), r.mu, r.rho};
  }
  return m;
}

}  // namespace trivane
