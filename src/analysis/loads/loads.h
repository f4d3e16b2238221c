#pragma once
// The right-hand side F of K u = F, in one place: the nodes' point loads, the
// edge loads as consistent nodal forces, self-weight, and the forces that
// hold a temperature strain.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "analysis/elements/material.h"
#include "model/model.h"

namespace trivane {

// A node's point load split into its x and y components (PointLoadParts).
Force NodeForce(const Node& node);

// The assembled force of every degree of freedom before restraints, entry
// [d - 1] for d = 1..2 nodeCount: the point loads, then the edge loads in
// order (the element type's consistent forces of the side), then self-weight
// element by element (g times the element type's nodal masses, rho of the
// element's region material, else the model's), then the temperature strain
// element by element (the element type's InitialStrainForces of the
// element's alpha and temperature change), then an axisymmetric model's spin
// (rho omega^2 r per unit volume, radially). Only forces that
// are not exactly zero are added, so a model with point loads alone gets its
// point loads bit for bit. Throws Error naming the nodes of an edge load whose
// edge is not the side of exactly one element, Error("Floating point
// overflow") when a force overflows, and Error(ElementNodeMissing) for an
// element corner outside 1..nodeCount that self-weight would load.
std::vector<double> NodalForces(const Model& model);

// The stress D eps0 of element e's temperature strain; none when it has none.
std::optional<StressVector> ElementInitialStress(const Model& model,
                                                                        const ElementMaterials& materials,
                                                                        int32_t element);

// The stress D eps0 of every element's temperature strain, entry [e - 1],
// which the stresses D (B u - eps0) take off D B u; empty when no element has
// one. Throws Error("Floating point overflow") when a value overflows.
std::vector<StressVector> InitialStresses(const Model& model, const ElementMaterials& materials);

}  // namespace trivane
