#pragma once
// Material constants as the element formulas take them.
#include "model/model.h"

namespace trivane {

// Plane strain through the plane-stress formulas: E / (1 - mu * mu), then
// mu / (1 - mu); t unchanged. Throws Error with the division fault's text when
// mu is 1 or -1.
Material PlaneStrainMaterial(double E, double mu, double t);

// The material from the values a user gives (the properties dialog, the
// command-line options): refuses values no elastic material has, checking E,
// mu and t in that order, then converts for plane strain. Throws Error with the
// refused field's text and changes nothing.
Material MaterialFromInput(bool planeStrain, double E, double mu, double t);

}  // namespace trivane
