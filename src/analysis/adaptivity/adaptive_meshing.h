#pragma once
// Adaptive meshing: mesh the geometry, solve, estimate the error of every
// element, and mesh again with the sizes that spread the error evenly, until
// the estimate meets the target. The mesher and the analysis are seams, so
// that the command line, the window and the tests drive the same loop.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "analysis/compute.h"
#include "analysis/adaptivity/size_field.h"
#include "analysis/adaptivity/stress_peak.h"
#include "model/model.h"

namespace trivane {

class Mesher {
 public:
  virtual ~Mesher() = default;
  // A mesh of the geometry, with the groups it defines: with the mesher's own
  // sizes when `field` is null, else following the field. Empty when the mesh
  // would have more than `maxNodes` nodes. Throws Error with the reason when
  // the geometry does not mesh.
  virtual std::optional<Model> Mesh(const SizeField* field, int32_t maxNodes) = 0;
  // The node count of the last mesh made, returned or not: what corrects a
  // size field that missed its node count.
  virtual int64_t LastNodeCount() const = 0;
};

// What the loop reads from the analysis of one mesh.
struct MeshAnalysis {
  std::vector<double> elementErrors;  // the error norm ||e|| of element e at [e - 1]
  double solutionNormSquared = 0.0;   // ||u||^2 = u^T K u
  double errorPercent = 0.0;          // the relative error eta, in percent
  double maxMises = 0.0;              // the largest element von Mises stress
  StressPeak peak;                    // the largest recovered von Mises stress
};

// Solves a model and estimates its error; throws Error.
using MeshAnalyser = std::function<MeshAnalysis(const Model&, Solution&)>;

// The compute command, with the nodal stresses recovered as `recovery` says,
// and the recovery estimate of the error.
MeshAnalyser ComputeAndEstimate(SolverChoice solver, StressRecovery recovery = StressRecovery::Patch);

struct AdaptSettings {
  double targetPercent = 5.0;  // stop when eta is at most this
  int32_t maxNodes = MaxNodes;  // no mesh with more nodes than this
  int32_t steps = 8;           // at most this many rounds
  // When above 0, also refine until the peak von Mises changes by less than
  // this many percent between rounds and its local error is below it.
  double peakTargetPercent = 0.0;
};

// How far one round may grow the mesh: the estimate of a coarse mesh says
// where the error lives better than how much of it there is (near a
// re-entrant corner the error falls more slowly than the rule assumes), so a
// round takes at most this many times the nodes of the last and learns again
// from the better mesh.
inline constexpr double MaxNodeGrowthPerRound = 16.0;

// A mesh that spends the node budget aims at this share of it, and is taken
// when it lands between BudgetFloor of the budget and the budget; a miss
// corrects the factor and meshes again, at most MaxBudgetMeshings times.
inline constexpr double BudgetAim = 0.95;
inline constexpr double BudgetFloor = 0.9;
inline constexpr int32_t MaxBudgetMeshings = 4;

// While eta meets the target and only the peak is unsettled, a round keeps
// the error level of the last mesh and refines around the peak only: the
// elements within PeakReach times the size of the peak's elements take the
// share of their size that brings the local error (falling with h^p) to
// PeakMargin of the peak target, and at least that share when the local error
// is met and only the peak's value still moves.
inline constexpr double PeakReach = 4.0;
inline constexpr double PeakMargin = 0.7;

// One round: a mesh and its analysis.
struct AdaptRound {
  int32_t nodes = 0;
  int32_t elements = 0;
  double errorPercent = 0.0;
  double maxMises = 0.0;
  StressPeak peak;
  double seconds = 0.0;  // meshing, conditions, compute, estimate and the next sizes
};

enum class AdaptStop { Target, MaxNodes, Steps };

// "target", "max-nodes" or "steps".
std::string_view AdaptStopName(AdaptStop stop);

// The last mesh, with its conditions and its results.
struct AdaptOutcome {
  std::vector<AdaptRound> rounds;
  AdaptStop stopped = AdaptStop::Target;
  Model model;
  Solution solution;
  MeshAnalysis analysis;
};

// Rounds of mesh, applyConditions (the user's supports, loads and materials,
// put on each new mesh through its groups), analyse and, while eta is above
// the target (or the peak unsettled), new sizes: the ideal sizes of the size
// rule, all scaled by one factor so that the next mesh grows at most
// MaxNodeGrowthPerRound-fold and stays within maxNodes. When the ideal mesh
// would pass maxNodes, the mesh scaled to the budget is the last: it is
// analysed and the loop stops with "max-nodes" (with "target" if it meets
// the targets after all). Stops also when the targets are met or after
// `steps` rounds. `onRound` hears of each round as it ends. A failure in any
// round throws Error naming the round and the reason; the first mesh having
// more than maxNodes nodes is one.
AdaptOutcome Adapt(Mesher& mesher, const std::function<void(Model&)>& applyConditions, const MeshAnalyser& analyse,
                   const AdaptSettings& settings, const std::function<void(const AdaptRound&)>& onRound = {});

}  // namespace trivane
