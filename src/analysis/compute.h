#pragma once
// The compute command: assemble, apply the restraints, solve, recover.
#include <cstdint>

#include <vector>

#include "analysis/recovery/patch_recovery.h"
#include "analysis/solution.h"
#include "model/model.h"

namespace trivane {

// How the restrained system is solved. Automatic takes Gauss-Jordan elimination
// on the dense stiffness up to MaxGaussJordanNodes nodes and the sparse
// Cholesky factorisation above.
enum class SolverChoice { Automatic, GaussJordan, Cholesky };

// Refuses a model with an element corner outside 1..nodeCount, one of more
// than MaxGaussJordanNodes nodes for Gauss-Jordan, a spin in a plane model
// and an axisymmetric model with a node at a negative radius. Throws Error.
void CheckAnalysable(const Model& model, SolverChoice solver = SolverChoice::Automatic);

// Build, solve, recover stresses, reactions, the nodal stresses and the error
// estimate. On any failure throws Error with the text the user sees. A
// singular stiffness gives "Singular matrix.", followed on a second line by
// the cause when the mesh and its supports show one (SingularCause).
// `recovery` says how the nodal stresses of the smooth plots and of the error
// estimate are recovered.
Solution Compute(const Model& model, SolverChoice solver = SolverChoice::Automatic,
                 StressRecovery recovery = StressRecovery::Patch);

// The solution with its nodal stresses and error estimate recovered again, as
// `recovery` says, from its element stresses: no solve. The model must be the
// one the solution was computed for.
Solution RecoverAgain(const Model& model, Solution solution, StressRecovery recovery);

// sigma x, sigma y, tau xy and sigma theta (0 in a plane model) of every
// element, entry [e - 1] for element e.
std::vector<StressState> ElementStressStates(const Solution& s);

// Each element's own stress field at its nodes, node k of element e at
// [n (e - 1) + k] with n nodes per element: a six-node triangle's stresses
// D B ue at its corners (as the compute recovered them) and at its middle
// nodes. Empty for an element with one stress, uniform over it.
std::vector<StressState> ElementNodeStresses(const Model& model, const ElementMaterials& materials,
                                            const Solution& s);

}  // namespace trivane
