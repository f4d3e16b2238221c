#pragma once
// The results of one compute, sized to the model it was computed for and
// never changed after: what the plots, the probe, the tables and the exports
// read. Numbering is 1-based as everywhere in the analysis: node i owns
// degrees of freedom 2i - 1 (x) and 2i (y).
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "analysis/recovery/error_estimate.h"
#include "analysis/recovery/nodal_stress.h"
#include "model/model.h"

namespace trivane {

// Stress components in their stored order (and the order of the plot's list).
enum StressComponent : int32_t { SigmaX = 1, SigmaY = 2, TauXY = 3, Sigma1 = 4, Sigma2 = 5, TauMax = 6 };
constexpr int32_t StressComponentCount = 6;

// Support forces R = K u - F. Entry [d - 1] belongs to degree of freedom d;
// restrained[d - 1] is 1 where d was fixed. A free degree of freedom has no
// reaction and holds 0.
struct Reactions {
  std::vector<double> values;
  std::vector<uint8_t> restrained;
};

// The equilibrium check: the sums of the reactions and of the applied loads,
// each direction apart. sumRx + sumFx and sumRy + sumFy are zero up to rounding.
struct Equilibrium {
  double sumRx = 0.0;
  double sumRy = 0.0;
  double sumFx = 0.0;
  double sumFy = 0.0;
};

struct Solution {
  int32_t nodeCount = 0;
  int32_t elementCount = 0;
  EnteredMaterial material;           // the material the results were computed with
  std::vector<double> displacements;  // entry [d - 1]: degree of freedom d
  // The stresses at the element's own stress points, element by element:
  // component k at entry [(e - 1) * stressPoints + p] of stresses[k - 1].
  int32_t stressPoints = 1;
  std::array<std::vector<double>, StressComponentCount> stresses;
  // An axisymmetric model's hoop stress sigma theta and its least principal
  // stress sigma 3, laid out as the stresses; empty for a plane model. There
  // sigma 1 >= sigma 2 >= sigma 3 order the in-plane pair and sigma theta,
  // and tau max is (sigma 1 - sigma 3) / 2.
  std::vector<double> hoop;
  std::vector<double> sigma3;
  std::vector<double> mises;  // von Mises stress, laid out as the stresses
  Reactions reactions;
  Equilibrium equilibrium;
  NodalStresses averaged;  // the stresses averaged at the nodes
  ErrorEstimate error;     // the recovery estimate of the discretisation error
};

inline double DisplacementU(const Solution& s, int32_t node) {
  return s.displacements[static_cast<std::size_t>(2 * node - 2)];
}
inline double DisplacementV(const Solution& s, int32_t node) {
  return s.displacements[static_cast<std::size_t>(2 * node - 1)];
}
// Element e's value of a component (its first stress point's).
inline double StressValue(const Solution& s, int32_t element, int32_t component) {
  return s.stresses[static_cast<std::size_t>(component - 1)][static_cast<std::size_t>((element - 1) * s.stressPoints)];
}
inline std::span<const double> StressValues(const Solution& s, int32_t component) {
  return s.stresses[static_cast<std::size_t>(component - 1)];
}
inline bool HasHoop(const Solution& s) { return !s.hoop.empty(); }
inline double HoopValue(const Solution& s, int32_t element) {
  return s.hoop[static_cast<std::size_t>((element - 1) * s.stressPoints)];
}
inline double MisesValue(const Solution& s, int32_t element) {
  return s.mises[static_cast<std::size_t>((element - 1) * s.stressPoints)];
}

// A node's support forces; a direction that was not restrained has none.
struct NodeReaction {
  std::optional<double> rx;
  std::optional<double> ry;
};
NodeReaction ReactionAt(const Solution& s, int32_t node);
// Whether the node had a restrained direction.
bool HasReaction(const Solution& s, int32_t node);

}  // namespace trivane
