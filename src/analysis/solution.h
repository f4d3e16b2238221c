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
  // One value per element, component k of element e at entry [e - 1] of
  // stresses[k - 1]: the stress of a constant-strain triangle, the mean of a
  // six-node triangle's values at its corners.
  std::array<std::vector<double>, StressComponentCount> stresses;
  std::vector<double> mises;  // von Mises stress, laid out as the stresses
  // An element with more than one stress point (the six-node triangle's
  // corners) keeps each point's values too: component k at point p of
  // element e at entry [(e - 1) * stressPoints + p] of pointStresses[k - 1].
  int32_t stressPoints = 1;
  std::array<std::vector<double>, StressComponentCount> pointStresses;
  std::vector<double> pointMises;
  // An axisymmetric model's hoop stress sigma theta, laid out as stresses
  // and pointStresses; empty in a plane model. There sigma 1 and sigma 2 are
  // the larger two of the three principal stresses, the in-plane pair and
  // sigma theta, and tau max is half the difference of the largest and the
  // least.
  std::vector<double> hoop;
  std::vector<double> pointHoop;
  Reactions reactions;
  Equilibrium equilibrium;
  NodalStresses averaged;  // the stresses recovered at the nodes (patch_recovery.h)
  ErrorEstimate error;     // the recovery estimate of the discretisation error
};

inline double DisplacementU(const Solution& s, int32_t node) {
  return s.displacements[static_cast<std::size_t>(2 * node - 2)];
}
inline double DisplacementV(const Solution& s, int32_t node) {
  return s.displacements[static_cast<std::size_t>(2 * node - 1)];
}
// Element e's value of a component.
inline double StressValue(const Solution& s, int32_t element, int32_t component) {
  return s.stresses[static_cast<std::size_t>(component - 1)][static_cast<std::size_t>(element - 1)];
}
inline std::span<const double> StressValues(const Solution& s, int32_t component) {
  return s.stresses[static_cast<std::size_t>(component - 1)];
}
inline double MisesValue(const Solution& s, int32_t element) { return s.mises[static_cast<std::size_t>(element - 1)]; }
inline bool IsAxisymmetric(const Solution& s) { return s.material.problem == Axisymmetric; }

// A node's support forces; a direction that was not restrained has none.
struct NodeReaction {
  std::optional<double> rx;
  std::optional<double> ry;
};
NodeReaction ReactionAt(const Solution& s, int32_t node);
// Whether the node had a restrained direction.
bool HasReaction(const Solution& s, int32_t node);

}  // namespace trivane
