#pragma once
// One assembly for both solvers. The element loop asks the element type for
// every element's stiffness Ke and stress matrices D B with the element's own
// material, keeps the stress matrices for the recovery and adds Ke into a
// global system through a sink: the dense table of the Gauss-Jordan path or
// the sparse pattern of the Cholesky path. What the two paths share besides
// (the forces, which degrees of freedom the restraints fix, the pivot floor)
// is formed here once.
#include <cstdint>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "analysis/elements/material.h"
#include "model/model.h"

namespace trivane {

// The pivot floor is this fraction of the largest diagonal magnitude of the
// assembled stiffness before restraints.
constexpr double RelativePivotFloor = 1e-12;

// Which of a node's two degrees of freedom its restraint kind fixes.
struct Fixity {
  bool x = false;
  bool y = false;
};
Fixity FixityOf(const Node& node);
// The same for node i of the model: in an axisymmetric model a node on the
// axis (x = 0) cannot move radially, whatever its support.
Fixity FixityOf(const Model& model, int32_t node);

// What both solver paths take from the model, formed once per compute.
struct SystemInput {
  ElementMaterials materials;
  std::vector<double> forces;   // F before restraints, entry [d - 1] (NodalForces)
  std::vector<uint8_t> fixed;   // entry [d - 1] is 1 where a restraint fixes d
  // D eps0 of each element's temperature strain (InitialStresses); empty without one.
  std::vector<StressVector> initialStresses;
};

// Throws Error as ElementMaterialsOf and NodalForces do.
SystemInput SystemInputOf(const Model& model);

// Receives the element stiffnesses of one build.
class StiffnessSink {
 public:
  // Adds `value` to the entry of degrees of freedom (row, column), numbered
  // from 1. Throws Error("Floating point overflow") when the sum overflows.
  virtual void Add(int32_t row, int32_t column, double value) = 0;

 protected:
  ~StiffnessSink() = default;
};

// The stress matrices D B of one build, kept for the recovery: for element
// e, stress point p, row r (sigma x, sigma y, tau xy[, sigma theta]) and
// local degree of freedom j, entry [((e - 1) * points + p) * rows + r] * dofs + j.
struct StressMatrices {
  int32_t points = 0;  // stress points per element
  int32_t dofs = 0;    // degrees of freedom per element
  std::vector<double> values;
  int32_t rows = PlaneComponents;  // the element type's stress components
  const double* Row(int32_t element, int32_t point, int32_t row) const {
    return values.data() +
           ((static_cast<std::size_t>(element - 1) * static_cast<std::size_t>(points) + static_cast<std::size_t>(point)) *
                static_cast<std::size_t>(rows) +
            static_cast<std::size_t>(row)) *
               static_cast<std::size_t>(dofs);
  }
};

// Elements 1..elementCount in ascending order: keeps each one's stress
// matrices and adds its stiffness into the sink, node pair by node pair in
// the order x-x, y-x, x-y, y-y. Returns the pivot floor. Requires a model
// that passed CheckAnalysable (compute.h); faults as the element type's
// Matrices, or overflow of a sum; what was written before stays written.
double AssembleStiffness(const Model& model, const ElementMaterials& materials, StressMatrices& stressMatrices,
                         StiffnessSink& sink);

}  // namespace trivane
