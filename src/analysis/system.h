#pragma once
// The restrained linear system K u = F of the current model.
#include <cstdint>

#include "analysis/solver.h"
#include "analysis/tables.h"
#include "model/model.h"

namespace trivane {

// The pivot guard's minimum is this fraction of the largest diagonal magnitude
// of the assembled stiffness before restraints.
constexpr double RelativePivotFloor = 1e-12;

// Which of a node's two degrees of freedom its restraint kind fixes.
struct Fixity {
  bool x = false;
  bool y = false;
};
Fixity FixityOf(const Node& node);

// A node's load split into its x and y components.
struct Force {
  double x = 0.0;
  double y = 0.0;
};
Force NodeForce(const Node& node);

// Degrees of freedom 2i - 1 and 2i of the load vector from node i's load, for
// nodes 1..nodeCount.
void FillLoads(const Model& model, LoadVector& loads);

// Fills the load vector from the node loads, clears and assembles the leading
// 2n square of the stiffness (writing every element's stress matrix), then
// imposes the restraints: row and column cleared, 1.0 on the diagonal, load 0.0.
// Returns the guard for the solve. Requires a model that passed
// CheckAnalysable (compute.h); faults propagate from AssembleElement.
PivotGuard BuildSystem(const Model& model, AnalysisTables& tables);

}  // namespace trivane
