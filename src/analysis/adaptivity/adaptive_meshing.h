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
};

// What the loop reads from the analysis of one mesh.
struct MeshAnalysis {
  std::vector<double> elementErrors;  // the error norm ||e|| of element e at [e - 1]
  double solutionNormSquared = 0.0;   // ||u||^2 = u^T K u
  double errorPercent = 0.0;          // the relative error eta, in percent
  double maxMises = 0.0;              // the largest element von Mises stress
};

// Solves a model and estimates its error; throws Error.
using MeshAnalyser = std::function<MeshAnalysis(const Model&, Solution&)>;

// The compute command and the recovery estimate of the error.
MeshAnalyser ComputeAndEstimate(SolverChoice solver);

struct AdaptSettings {
  double targetPercent = 5.0;  // stop when eta is at most this
  int32_t maxNodes = MaxNodes;  // no mesh with more nodes than this
  int32_t steps = 8;           // at most this many rounds
};

// One round: a mesh and its analysis.
struct AdaptRound {
  int32_t nodes = 0;
  int32_t elements = 0;
  double errorPercent = 0.0;
  double maxMises = 0.0;
  double seconds = 0.0;  // meshing, conditions, compute and estimate
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
// the target, new sizes (size_rule.h). Stops when eta meets the target, when
// the next mesh would have more than maxNodes nodes (a mesh predicted at more
// than twice that is not even tried), or after `steps` rounds. `onRound` hears
// of each round as it ends. A failure in any round throws Error naming the
// round and the reason; the first mesh having more than maxNodes nodes is one.
AdaptOutcome Adapt(Mesher& mesher, const std::function<void(Model&)>& applyConditions, const MeshAnalyser& analyse,
                   const AdaptSettings& settings, const std::function<void(const AdaptRound&)>& onRound = {});

}  // namespace trivane
