#include "model/material_rules.h"

#include <cmath>

#include "model/errors.h"

namespace trivane {

// The stiffness D is positive definite only for E > 0 and -1 < mu < 1/2 (plane
// strain before conversion); in plane stress mu = 1/2 still gives a positive
// definite D. A non-positive thickness turns every element's stiffness round,
// and a negative density turns gravity round. A solid of revolution has the
// three-dimensional D, which needs mu < 1/2 as plane strain does, takes E and
// mu as typed and reads no thickness.
Material ElementConstants(const EnteredMaterial& entered) {
  const bool planeStrain = entered.problem == PlaneStrain;
  const bool axisymmetric = entered.problem == Axisymmetric;
  if (!(entered.E > 0.0)) throw Error(messages::ModulusNotPositive);
  if (!(entered.mu > -1.0)) throw Error(messages::PoissonRatioTooSmall);
  if (planeStrain && !(entered.mu < 0.5)) throw Error(messages::PoissonRatioTooLargePlaneStrain);
  if (axisymmetric && !(entered.mu < 0.5)) throw Error(messages::PoissonRatioTooLargeAxisymmetric);
  if (!planeStrain && !axisymmetric && !(entered.mu <= 0.5)) throw Error(messages::PoissonRatioTooLargePlaneStress);
  if (!axisymmetric && !(entered.t > 0.0)) throw Error(messages::ThicknessNotPositive);
  if (!(entered.rho >= 0.0)) throw Error(messages::DensityNegative);
  if (!planeStrain) return Material{entered.mu, entered.E, entered.t};
  // With -1 < mu < 1/2 both divisors lie in (0, 2]; only E can grow too large.
  Material m{entered.mu / (1.0 - entered.mu), entered.E / (1.0 - entered.mu * entered.mu), entered.t};
  if (!std::isfinite(m.E)) throw Error(messages::Overflow);
  return m;
}

}  // namespace trivane
