#pragma once
// Why a model cannot stand, read from its mesh and supports once a solve has
// found the stiffness singular.
#include <string>

#include "model/model.h"

namespace trivane {

// The first cause, in node order: a node no element uses that is not fixed both
// ways, or a part of the mesh (nodes connected through elements) whose
// restraints leave a rigid-body motion free: no restraint at all, none in x or
// none in y, or nothing against turning. A part is named by its lowest node.
// Empty when the mesh and the supports show no cause (the stiffness is then
// singular through the elements themselves, such as parts joined at one
// node). Requires element corners in 1..nodeCount.
std::string SingularCause(const Model& model);

}  // namespace trivane
