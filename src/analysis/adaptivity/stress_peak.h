#pragma once
// The peak an engineer reads: the largest recovered von Mises stress at a
// node, where it stands, and how far the elements there are from it.
#include <span>
#include <vector>

#include "analysis/elements/material.h"
#include "analysis/recovery/nodal_stress.h"
#include "model/model.h"

namespace trivane {

struct StressPeak {
  double mises = 0.0;  // the largest von Mises stress of the recovered field
  double x = 0.0, y = 0.0;
  // The local error estimate at the peak, in percent of it: the largest von
  // Mises stress of sigma* - sigma over the elements at the peak's node. The
  // recovered stress stands in for the true one there, as in the estimate of
  // the energy error, so this is the error of the element stress at the peak.
  double localErrorPercent = 0.0;
};

// elementStresses[e - 1] is element e's sigma x, sigma y, tau xy; recovered
// their nodal stresses. An element whose stress varies is read at the peak's
// node by its own field there, atNodes[n (e - 1) + k] for node k with n nodes
// per element (ElementNodeStresses; empty: each element's value holds at all
// its nodes). A model without elements has a zero peak.
StressPeak FindStressPeak(const Model& model, const ElementMaterials& sides,
                          const std::vector<StressState>& elementStresses, const NodalStresses& recovered,
                          std::span<const StressState> atNodes = {});

}  // namespace trivane
