#pragma once
// Material constants as the element formulas take them.
#include "model/model.h"

namespace trivane {

// Plane strain through the plane-stress formulas: E / (1 - mu * mu), then
// mu / (1 - mu); t unchanged. Throws Error with the division fault's text when
// mu is 1 or -1.
Material PlaneStrainMaterial(double E, double mu, double t);

// The element constants of an entered material: converted in plane strain,
// as typed in plane stress. Values no elastic material has are refused first,
// checking E, mu and t in that order, with Error naming the field; then faults
// as PlaneStrainMaterial.
Material ElementMaterial(const EnteredMaterial& entered);

// Stores the entered material and the constants formed from it. A fault
// leaves the model's material as it was.
void SetMaterial(Model& model, const EnteredMaterial& entered);

}  // namespace trivane
