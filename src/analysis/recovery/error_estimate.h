#pragma once
// The recovery error estimate of Zienkiewicz and Zhu. The recovered nodal
// stresses sigma* are closer to the true stress than the element's own
// stress sigma, so their difference measures the error of the element:
//   ||e||^2 = t * integral over the element of (sigma* - sigma)^T D^-1 (sigma* - sigma) dA,
// with the element's own D, integrated by the element type's error rule.
// sigma* is the recovered values at the element's nodes interpolated by its
// shape functions (linear over a three-node triangle, quadratic over a
// six-node one); sigma is constant over a three-node triangle and linear over
// a six-node one.
// Over the model, the relative error
//   eta = sqrt(sum ||e||^2 / (sum ||e||^2 + ||u||^2)),
// where ||u||^2 = u^T K u, twice the strain energy.
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/elements/material.h"
#include "analysis/recovery/nodal_stress.h"
#include "model/model.h"

namespace trivane {

struct ErrorEstimate {
  std::vector<double> elementError;  // entry [e - 1]: ||e|| of element e (not squared)
  double errorSquared = 0.0;         // sum of ||e||^2
  double energySquared = 0.0;        // ||u||^2
  double relative = 0.0;             // eta, 0 for a model without strain
};

// elementStresses[e - 1] is element e's sigma x, sigma y, tau xy; atNodes
// its own field at its nodes where that varies (AverageNodalStresses takes
// them alike); recovered their nodal stresses (patch_recovery.h).
ErrorEstimate EstimateError(const Model& model, const ElementMaterials& sides,
                            const std::vector<StressState>& elementStresses, const NodalStresses& recovered,
                            std::span<const StressState> atNodes = {});

}  // namespace trivane
