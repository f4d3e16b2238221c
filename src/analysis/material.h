#pragma once
// Material constants as the element formulas take them.
#include "model/model.h"

namespace trivane {

// Plane strain through the plane-stress formulas: E / (1 - mu * mu), then
// mu / (1 - mu); t unchanged. Throws Error with the division fault's text when
// mu is 1 or -1.
Material PlaneStrainMaterial(double E, double mu, double t);

}  // namespace trivane
