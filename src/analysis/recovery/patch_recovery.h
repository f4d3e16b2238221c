#pragma once
// Superconvergent patch recovery (Zienkiewicz and Zhu). The stress of a
// constant-strain triangle is most accurate at its centroid, so a linear
// polynomial fitted by least squares to the centroid stresses of the elements
// around an interior node (its patch) recovers the stress there, and at the
// boundary nodes the patch reaches, better than any mean of the elements: a
// mean lies within the range of the element values, and so reads a peak on a
// free edge low. Each material side is recovered apart, as the averaging does.
#include <span>
#include <vector>

#include "analysis/elements/material.h"
#include "analysis/recovery/nodal_stress.h"
#include "model/model.h"

namespace trivane {

// How the nodal stresses of the smooth plots and of the error estimate are
// recovered from the element stresses.
enum class StressRecovery { Patch, Average };

// elementStresses[e - 1] is element e's sigma x, sigma y, tau xy, the value
// at its centroid; atNodes, the element's own field at its nodes, as
// AverageNodalStresses takes it. The slots are those of AverageNodalStresses.
// A corner inside its side takes its own patch's fit; a corner on the side's
// boundary (the model's outline or an interface) and a node between two
// corners (a six-node triangle's mid-side node) the mean of the fits of the
// patches that reach it, or, where none does (a corner of a single element),
// of those one element further in. So the recovered values at the six nodes
// of an element come from the same few planes, which is what makes the field
// they interpolate quadratic where the stress curves: a mean of the
// elements' own linear fields at a mid-side node would only repeat the
// straight line between its corners. A linear stress field, and so a uniform
// one, is recovered exactly wherever a patch reaches.
NodalStresses PatchRecoveredStresses(const Model& model, const ElementMaterials& sides,
                                     const std::vector<StressState>& elementStresses,
                                     std::span<const StressState> atNodes = {});

// PatchRecoveredStresses or AverageNodalStresses.
NodalStresses RecoverNodalStresses(const Model& model, const ElementMaterials& sides,
                                   const std::vector<StressState>& elementStresses, StressRecovery recovery,
                                   std::span<const StressState> atNodes = {});

}  // namespace trivane
