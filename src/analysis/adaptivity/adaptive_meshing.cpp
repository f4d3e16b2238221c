#include "analysis/adaptivity/adaptive_meshing.h"

#include <chrono>
#include <utility>

#include "analysis/adaptivity/size_rule.h"
#include "model/errors.h"

namespace trivane {

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The nodes of a triangulation are about half its triangles (Euler's formula,
// less the boundary), which is all the check before meshing needs.
double PredictedNodeCount(double elements) { return elements / 2.0; }

}  // namespace

std::string_view AdaptStopName(AdaptStop stop) {
  switch (stop) {
    case AdaptStop::Target: return "target";
    case AdaptStop::MaxNodes: return "max-nodes";
    case AdaptStop::Steps: return "steps";
  }
  return "";
}

AdaptOutcome Adapt(Mesher& mesher, const std::function<void(Model&)>& applyConditions, const MeshAnalyser& analyse,
                   const AdaptSettings& settings, const std::function<void(const AdaptRound&)>& onRound) {
  AdaptOutcome outcome;
  std::optional<SizeField> field;
  for (int32_t round = 1;; ++round) {
    const Clock::time_point start = Clock::now();
    try {
      std::optional<Model> mesh = mesher.Mesh(field ? &*field : nullptr, settings.maxNodes);
      if (!mesh) {
        if (round == 1) throw Error(messages::MeshOverNodeLimit(settings.maxNodes));
        outcome.stopped = AdaptStop::MaxNodes;
        return outcome;
      }
      field.reset();  // it refers to the mesh about to be replaced
      outcome.model = std::move(*mesh);
      applyConditions(outcome.model);
      outcome.analysis = analyse(outcome.model, outcome.solution);
    } catch (const Error& e) {
      throw Error(messages::AdaptRoundFailed(round, e.what()));
    }
    const MeshAnalysis& analysis = outcome.analysis;
    outcome.rounds.push_back({outcome.model.nodeCount, outcome.model.elementCount, analysis.errorPercent,
                              analysis.maxMises, 0.0});
    AdaptRound& done = outcome.rounds.back();

    std::optional<AdaptStop> stop;
    // An unloaded model has no error to spread (0 / 0): it meets any target.
    if (!(analysis.errorPercent > settings.targetPercent)) {
      stop = AdaptStop::Target;
    } else if (round >= settings.steps) {
      stop = AdaptStop::Steps;
    } else {
      const std::vector<double> sizes = NewElementSizes(outcome.model, analysis.elementErrors,
                                                        analysis.solutionNormSquared, settings.targetPercent / 100.0);
      field.emplace(SizeField{outcome.model, NodeSizes(outcome.model, sizes)});
      if (PredictedNodeCount(PredictedElementCount(outcome.model, field->nodeSizes)) > 2.0 * settings.maxNodes)
        stop = AdaptStop::MaxNodes;
    }
    done.seconds = SecondsSince(start);
    if (onRound) onRound(done);
    if (stop) {
      outcome.stopped = *stop;
      return outcome;
    }
  }
}

}  // namespace trivane
