#pragma once
// The compute command and the results it leaves for the plots.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "analysis/patch_recovery.h"
#include "analysis/tables.h"
#include "model/model.h"

namespace trivane {

// How the restrained system is solved. Automatic takes Gauss-Jordan elimination
// on the dense stiffness up to MaxGaussJordanNodes nodes and the sparse
// Cholesky factorisation above.
enum class SolverChoice { Automatic, GaussJordan, Cholesky };

// Refuses a model with an element corner outside 1..nodeCount, and one of more
// than MaxGaussJordanNodes nodes for Gauss-Jordan. Throws Error.
void CheckAnalysable(const Model& model, SolverChoice solver = SolverChoice::Automatic);

// Build, solve, recover stresses. On any failure throws Error with the text the
// user sees, and the displacements and the stress field are those of the last
// completed compute (the stiffness and the stress matrices are not restored).
// A singular stiffness gives "Singular matrix.", followed on a second line by
// the cause when the mesh and its supports show one (SingularCause). An edge
// load off the boundary or a region's material no elastic material has is
// refused before anything is written. `recovery` says how the nodal stresses
// of the smooth plots and of the error estimate are recovered.
void Compute(const Model& model, AnalysisTables& tables, SolverChoice solver = SolverChoice::Automatic,
             StressRecovery recovery = StressRecovery::Patch);

// Results as the last completed compute left them.
inline double DisplacementU(const AnalysisTables& tables, int32_t node) { return tables.loads(2 * node - 1); }
inline double DisplacementV(const AnalysisTables& tables, int32_t node) { return tables.loads(2 * node); }
inline double StressValue(const AnalysisTables& tables, int32_t element, int32_t component) {
  return tables.stresses(component, element);
}
// Sized to the model the results belong to: entry [d - 1] is degree of
// freedom d of its 2n; entry [e - 1] is element e of its m.
inline std::span<const double> Displacements(const AnalysisTables& tables) {
  return tables.loads.Values().first(static_cast<std::size_t>(2 * tables.nodeCount));
}
inline std::span<const double> StressValues(const AnalysisTables& tables, int32_t component) {
  return tables.stresses.Component(component).first(static_cast<std::size_t>(tables.elementCount));
}

// The nodal stresses and the error estimate of the present results recovered
// again, as `recovery` says, from the element stresses: no solve. The model
// must be the one the results were computed for.
void RecoverAgain(const Model& model, AnalysisTables& tables, StressRecovery recovery);

// sigma x, sigma y, tau xy of every element, entry [e - 1] for element e.
std::vector<StressState> ElementStressStates(const AnalysisTables& tables);

// A node's support forces; a direction that was not restrained has none.
struct NodeReaction {
  std::optional<double> rx;
  std::optional<double> ry;
};
NodeReaction ReactionAt(const AnalysisTables& tables, int32_t node);
// Whether the node had a restrained direction in the last completed compute.
bool HasReaction(const AnalysisTables& tables, int32_t node);
inline double MisesValue(const AnalysisTables& tables, int32_t element) {
  return tables.mises[static_cast<std::size_t>(element - 1)];
}
// Entry [e - 1] is element e.
inline std::span<const double> MisesValues(const AnalysisTables& tables) { return tables.mises; }
inline const Equilibrium& EquilibriumOf(const AnalysisTables& tables) { return tables.equilibrium; }

}  // namespace trivane
