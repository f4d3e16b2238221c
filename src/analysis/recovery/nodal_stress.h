#pragma once
// Averaged nodal stresses: a constant-strain triangle has one stress, so a
// smooth field is recovered at the nodes as the area-weighted mean of the
// stresses of the elements around each node. Stresses jump where the material
// changes, so the mean is taken per material side (ElementMaterials): a node on
// an interface holds one value for each side, and each element reads its own
// side's. sigma 1, sigma 2, tau max and von Mises are formed from the averaged
// sigma x, sigma y and tau xy, never averaged themselves.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/elements/material.h"
#include "model/model.h"

namespace trivane {

// sigma x, sigma y, tau xy, and the hoop stress sigma theta of a solid of
// revolution (0 in a plane model).
using StressState = std::array<double, 4>;
constexpr std::size_t StressStateSize = 4;

// The averaged fields of NodalStresses::nodeMean.
enum NodalField : int32_t { NodalSigmaX, NodalSigmaY, NodalTauXY, NodalMises, NodalHoop };

struct NodalStresses {
  // One slot per node and side: slot i - 1 is node i's first side, further
  // sides of interface nodes follow after the nodes.
  std::vector<StressState> slotValues;
  std::vector<double> slotMises;
  int32_t nodesPerElement = 0;
  std::vector<int32_t> cornerSlot;  // entry nodesPerElement (e - 1) + k: the slot of node k of element e
  // The NodalFields of node i at [i - 1], over every side, each side weighted
  // by its area (von Mises as the same mean of the sides' von Mises); 0 for a
  // node no element uses.
  std::array<std::vector<double>, 5> nodeMean;

  const StressState& AtCorner(int32_t element, int32_t corner) const {
    return slotValues[static_cast<std::size_t>(cornerSlot[Corner(element, corner)])];
  }
  double MisesAtCorner(int32_t element, int32_t corner) const {
    return slotMises[static_cast<std::size_t>(cornerSlot[Corner(element, corner)])];
  }
  std::size_t Corner(int32_t element, int32_t corner) const {
    return static_cast<std::size_t>(nodesPerElement * (element - 1) + corner);
  }
};

// elementStresses[e - 1] is element e's sigma x, sigma y, tau xy; an element
// whose stress varies gives its own field's value at each of its nodes in
// atNodes, node k of element e at [n (e - 1) + k] with n nodes per element
// (empty: each element's value holds at all its nodes). Each node takes the
// area-weighted mean of its elements' values there, so an element type whose
// own field is linear recovers a linear field exactly. The model's corners
// must be nodes (a model that computed).
NodalStresses AverageNodalStresses(const Model& model, const ElementMaterials& sides,
                                   const std::vector<StressState>& elementStresses,
                                   std::span<const StressState> atNodes = {});

// The von Mises stress of state s on material side `side` (an index of
// sides.materials; -1, a node no element uses, takes the model's material).
double SideMises(const Model& model, const ElementMaterials& sides, int32_t side, const StressState& s);

// sigma 1, sigma 2 and tau max of a plane stress state, by the formulas of the
// element stresses; `withHoop`, of the in-plane pair and sigma theta as
// TakeHoop (stress.h) forms them.
std::array<double, 3> PrincipalStresses(const StressState& s, bool withHoop = false);

}  // namespace trivane
