#pragma once
// What a user takes away from a compute beyond the displacements and the six
// stresses: the support forces with the equilibrium check, and the von Mises
// equivalent stress.
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/solution.h"
#include "analysis/solvers/assembly.h"
#include "model/model.h"

namespace trivane {

// R = sum over elements of Ke ue, minus F, at every restrained degree of
// freedom of nodes 1..nodeCount, F holding every load (point, edge and
// self-weight). Only the elements with a restrained corner are visited, each
// with its own material and the element matrices the solve used, so no
// global matrix is needed on either solver path. displacements[d - 1] is
// degree of freedom d, for every d of the model. Throws Error("Floating point overflow") on overflow.
Reactions ComputeReactions(const Model& model, const SystemInput& input, std::span<const double> displacements);

// Sums of the reactions and of every force F (also forces on supports).
Equilibrium SumForces(const Reactions& reactions, std::span<const double> forces);

// The von Mises stress of one element from its recovered components. Plane
// stress: sqrt(s1^2 - s1 s2 + s2^2). Plane strain adds the out-of-plane
// stress sz of the element's material side (OutOfPlaneStress) and takes the
// full three-dimensional form sqrt(((s1 - s2)^2 + (s2 - sz)^2 + (sz - s1)^2) / 2).
double VonMises(double sx, double sy, double s1, double s2, ProblemType problem, const AnalysisMaterial& material);

// The von Mises stress of a solid of revolution from its four components:
// sqrt(((sr - sz)^2 + (sz - st)^2 + (st - sr)^2) / 2 + 3 trz^2).
double RingVonMises(double sr, double sz, double trz, double stheta);

// VonMises at every stress point of elements 1..elementCount (`points` per
// element, laid out as the stresses), each with its element's material side;
// RingVonMises where the hoop stresses (laid out alike) are not empty.
std::vector<double> ComputeMises(const Model& model, const std::array<std::vector<double>, StressComponentCount>& stresses,
                                 std::span<const double> hoop, int32_t points, ProblemType problem,
                                 const ElementMaterials& materials);

}  // namespace trivane
