#include "analysis/adaptivity/adaptive_meshing.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

#include "analysis/adaptivity/size_rule.h"
#include "analysis/elements/finite_element.h"
#include "model/errors.h"

namespace trivane {

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Whether the peak has settled: it moved by less than `percent` since the
// last round, and the local error estimate at it is below `percent`.
bool PeakSettled(const std::vector<AdaptRound>& rounds, double percent) {
  if (!(percent > 0.0)) return true;
  if (rounds.size() < 2) return false;
  const StressPeak& now = rounds.back().peak;
  const StressPeak& before = rounds[rounds.size() - 2].peak;
  return std::abs(now.mises - before.mises) < percent / 100.0 * now.mises && now.localErrorPercent < percent;
}

// The next mesh as planned: node sizes over the last mesh, the node count
// they aim at, and whether it spends the budget (and so is the last).
struct MeshPlan {
  std::vector<double> nodeSizes;
  double aim = 0.0;
  bool spendsBudget = false;
};

// The elements around the peak made finer (PeakReach, PeakMargin).
void RefineAtPeak(const Model& mesh, const StressPeak& peak, double peakTargetPercent, std::vector<double>& sizes) {
  // The local error falls with h^p: the size share is the p-th root of the error share.
  const double share =
      std::pow(PeakMargin * std::min(1.0, peakTargetPercent / peak.localErrorPercent), 1.0 / ConvergenceRate(mesh));
  double atPeak = 0.0;
  std::vector<double> distance(sizes.size());
  const int32_t corners = ElementTypeOf(mesh).CornerCount();
  for (int32_t e = 1; e <= mesh.elementCount; ++e) {
    const ElementNodes nodes = NodesOf(mesh, e);
    double x = 0.0, y = 0.0;
    for (int32_t k = 0; k < corners; ++k) {
      const PlanePoint at = nodes.at[static_cast<std::size_t>(k)];
      x += at.x / corners;
      y += at.y / corners;
      if (at.x == peak.x && at.y == peak.y) atPeak = std::max(atPeak, ElementSize(mesh, e));
    }
    distance[static_cast<std::size_t>(e - 1)] = std::hypot(x - peak.x, y - peak.y);
  }
  // The share at the peak, rising linearly to 1 at the reach: a graded
  // transition, which the mesher fills with well-shaped triangles.
  for (int32_t e = 1; e <= mesh.elementCount; ++e) {
    const double ramp = std::max(0.0, 1.0 - distance[static_cast<std::size_t>(e - 1)] / (PeakReach * atPeak));
    double& size = sizes[static_cast<std::size_t>(e - 1)];
    size = std::min(size, (1.0 - (1.0 - share) * ramp) * ElementSize(mesh, e));
  }
}

// Step 1 of a round: the ideal sizes for the target (while only the peak is
// unsettled, for the error level reached, and finer at the peak), then the
// one factor that holds them to the growth of a round and to the budget.
MeshPlan PlanNextMesh(const Model& mesh, const MeshAnalysis& analysis, const AdaptSettings& settings) {
  const bool peakOnly = !(analysis.errorPercent > settings.targetPercent);
  const double targetPercent = peakOnly ? analysis.errorPercent : settings.targetPercent;
  std::vector<double> ideal = IdealElementSizes(mesh, analysis.elementErrors, analysis.solutionNormSquared,
                                                targetPercent / 100.0, ConvergenceRate(mesh));
  if (peakOnly) RefineAtPeak(mesh, analysis.peak, settings.peakTargetPercent, ideal);
  MeshPlan plan{NodeSizes(mesh, ideal)};
  const double wanted = PredictedNodeCount(PredictedElementCount(mesh, plan.nodeSizes), mesh.elementOrder);
  const double grown = MaxNodeGrowthPerRound * mesh.nodeCount;
  const double budget = BudgetAim * settings.maxNodes;
  plan.spendsBudget = wanted > settings.maxNodes && grown >= budget;
  plan.aim = plan.spendsBudget ? budget : std::min({wanted, grown, budget});
  const double scale = ScaleToNodeCount(mesh, plan.nodeSizes, plan.aim);
  for (double& size : plan.nodeSizes) size *= scale;
  return plan;
}

// Step 2: mesh the plan. The prediction counts triangles of a field the
// mesher only approximately follows, so a mesh that misses its aim (over the
// budget, or under BudgetFloor of it when spending it) corrects the common
// factor by the square root of the miss and meshes again. Else the last mesh
// within the budget (the mesher's files are those of the last mesh it
// returned); empty when no attempt fits the budget.
std::optional<Model> MeshPlanned(Mesher& mesher, const Model& last, MeshPlan plan, const AdaptSettings& settings) {
  std::optional<Model> best;
  for (int32_t attempt = 1; attempt <= MaxBudgetMeshings; ++attempt) {
    const SizeField field{last, plan.nodeSizes};
    std::optional<Model> mesh = mesher.Mesh(&field, settings.maxNodes);
    const auto made = static_cast<double>(mesher.LastNodeCount());
    if (mesh && (!plan.spendsBudget || made >= BudgetFloor * settings.maxNodes)) return mesh;
    if (mesh) best = std::move(mesh);
    if (!(made > 0.0)) break;
    const double correction = std::sqrt(made / plan.aim);
    for (double& size : plan.nodeSizes) size *= correction;
  }
  return best;
}

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
  std::optional<MeshPlan> plan;
  for (int32_t round = 1;; ++round) {
    const Clock::time_point start = Clock::now();
    try {
      std::optional<Model> mesh =
          plan ? MeshPlanned(mesher, outcome.model, *plan, settings) : mesher.Mesh(nullptr, settings.maxNodes);
      if (!mesh) {
        if (round == 1) throw Error(messages::MeshOverNodeLimit(settings.maxNodes));
        outcome.stopped = AdaptStop::MaxNodes;
        return outcome;
      }
      outcome.model = std::move(*mesh);
      applyConditions(outcome.model);
      outcome.analysis = analyse(outcome.model, outcome.solution);
    } catch (const Error& e) {
      throw Error(messages::AdaptRoundFailed(round, e.what()));
    }
    const MeshAnalysis& analysis = outcome.analysis;
    outcome.rounds.push_back({outcome.model.nodeCount, outcome.model.elementCount, analysis.errorPercent,
                              analysis.maxMises, analysis.peak, 0.0});
    AdaptRound& done = outcome.rounds.back();

    // An unloaded model has no error to spread (0 / 0): it meets any target.
    const bool met = !(analysis.errorPercent > settings.targetPercent) &&
                     PeakSettled(outcome.rounds, settings.peakTargetPercent);
    std::optional<AdaptStop> stop;
    if (met)
      stop = AdaptStop::Target;
    else if (plan && plan->spendsBudget)
      stop = AdaptStop::MaxNodes;
    else if (round >= settings.steps)
      stop = AdaptStop::Steps;
    else
      plan = PlanNextMesh(outcome.model, analysis, settings);
    done.seconds = SecondsSince(start);
    if (onRound) onRound(done);
    if (stop) {
      outcome.stopped = *stop;
      return outcome;
    }
  }
}

}  // namespace trivane
