#include "analysis/material.h"

#include "analysis/checked.h"

namespace trivane {

Material PlaneStrainMaterial(double E, double mu, double t) {
  Material m;
  m.E = checked::Div(E, checked::Sub(1.0, checked::Mul(mu, mu)));
  m.mu = checked::Div(mu, checked::Sub(1.0, mu));
  m.t = t;
  return m;
}

Material ElementMaterial(const EnteredMaterial& entered) {
  if (entered.problem == PlaneStrain) return PlaneStrainMaterial(entered.E, entered.mu, entered.t);
  return Material{entered.mu, entered.E, entered.t};
}

void SetMaterial(Model& model, const EnteredMaterial& entered) {
  model.material = ElementMaterial(entered);
  model.entered = entered;
}

}  // namespace trivane
