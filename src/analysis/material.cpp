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

}  // namespace trivane
