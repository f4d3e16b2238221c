#pragma once
// Which entered materials are elastic ones, and the constants the element
// formulas take from them. The rule sits with the model so that every layer
// checks a material the same way: the problem file's reader, below the
// analysis, refuses what the analysis would refuse.
#include "model/model.h"

namespace trivane {

// The element constants of an entered material: in plane strain converted
// through the plane-stress formulas (E / (1 - mu^2), then mu / (1 - mu)), in
// plane stress as typed. Values no elastic material has are refused first,
// checking E, mu, t and rho in that order, with Error naming the field; a
// converted E beyond the doubles is refused with the overflow fault's text.
Material ElementConstants(const EnteredMaterial& entered);

}  // namespace trivane
