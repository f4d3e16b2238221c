#include "analysis/recovery/nodal_stress.h"

#include <cmath>
#include <utility>
#include <unordered_map>

#include "analysis/elements/finite_element.h"
#include "analysis/recovery/results.h"

namespace trivane {

std::array<double, 3> PrincipalStresses(const StressState& s, bool withHoop) {
  const double diff = s[0] - s[1];
  const double r = std::sqrt(diff * diff + 4.0 * s[2] * s[2]);
  const double mean = (s[0] + s[1]) * 0.5;
  double s1 = r * 0.5 + mean;
  double s2 = mean - r * 0.5;
  if (!withHoop) return {s1, s2, (s1 - s2) * 0.5};
  double s3 = s[3];
  if (s3 > s2) std::swap(s3, s2);
  if (s2 > s1) std::swap(s2, s1);
  return {s1, s2, (s1 - s3) * 0.5};
}

double SideMises(const Model& model, const ElementMaterials& sides, int32_t side, const StressState& s) {
  if (model.entered.problem == Axisymmetric) return RingVonMises(s[0], s[1], s[2], s[3]);
  const auto [s1, s2, tmax] = PrincipalStresses(s);
  // Plane strain's out-of-plane stress takes the side's own material and
  // temperature; a node no element uses, the model's material at rest.
  const AnalysisMaterial own{model.material, model.entered.mu, model.entered.rho, model.entered.E};
  const AnalysisMaterial& material = side < 0 ? own : sides.materials[static_cast<std::size_t>(side)];
  return VonMises(s[0], s[1], s1, s2, model.entered.problem, material);
}

NodalStresses AverageNodalStresses(const Model& model, const ElementMaterials& sides,
                                   const std::vector<StressState>& elementStresses,
                                   std::span<const StressState> atNodes) {
  const auto n = static_cast<std::size_t>(std::max(model.nodeCount, 0));
  const auto m = static_cast<std::size_t>(std::max(model.elementCount, 0));
  NodalStresses r;
  // Sums of area x stress and of area per slot; slot i - 1 takes the first
  // side met at node i, an interface node's other sides get slots of their own.
  std::vector<StressState> sums(n, StressState{});
  std::vector<double> areas(n, 0.0);
  std::vector<int32_t> sideOfSlot(n, -1);
  std::vector<int32_t> nodeOfSlot;  // for the slots after the nodes
  std::unordered_map<int64_t, int32_t> extraSlot;
  const FiniteElement& element = ElementTypeOf(model);
  const auto perElement = static_cast<std::size_t>(element.NodeCount());
  r.nodesPerElement = element.NodeCount();
  r.cornerSlot.resize(perElement * m);
  for (std::size_t e = 0; e < m; ++e) {
    const ElementNodes nodes = NodesOf(model, static_cast<int32_t>(e + 1));
    const double area = element.Area(nodes);
    const int32_t side = sides.index[e];
    const auto& corners = nodes.number;
    for (std::size_t k = 0; k < perElement; ++k) {
      auto slot = static_cast<std::size_t>(corners[k] - 1);
      if (sideOfSlot[slot] == -1) {
        sideOfSlot[slot] = side;
      } else if (sideOfSlot[slot] != side) {
        const int64_t key = static_cast<int64_t>(corners[k]) * (1 << 20) + side;
        const auto [found, added] = extraSlot.try_emplace(key, static_cast<int32_t>(sums.size()));
        if (added) {
          sums.push_back({});
          areas.push_back(0.0);
          sideOfSlot.push_back(side);
          nodeOfSlot.push_back(corners[k]);
        }
        slot = static_cast<std::size_t>(found->second);
      }
      r.cornerSlot[perElement * e + k] = static_cast<int32_t>(slot);
      const StressState& own = atNodes.empty() ? elementStresses[e] : atNodes[perElement * e + k];
      for (std::size_t c = 0; c < StressStateSize; ++c) sums[slot][c] += area * own[c];
      areas[slot] += area;
    }
  }

  const std::size_t slotCount = sums.size();
  r.slotValues.resize(slotCount);
  r.slotMises.resize(slotCount);
  for (std::size_t s = 0; s < slotCount; ++s) {
    if (areas[s] > 0.0)
      for (std::size_t c = 0; c < StressStateSize; ++c) r.slotValues[s][c] = sums[s][c] / areas[s];
    r.slotMises[s] = SideMises(model, sides, sideOfSlot[s], r.slotValues[s]);
  }

  // The nodes' means over their sides, for the export.
  // A node with one side keeps its slot's values exactly.
  for (auto& values : r.nodeMean) values.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    for (int c = 0; c < 3; ++c) r.nodeMean[static_cast<std::size_t>(c)][i] = r.slotValues[i][c];
    r.nodeMean[NodalMises][i] = r.slotMises[i];
    r.nodeMean[NodalHoop][i] = r.slotValues[i][3];
  }
  std::vector<double> misesSums(n, 0.0);
  std::vector<uint8_t> interface(n, 0);
  for (std::size_t s = n; s < slotCount; ++s) {
    const auto i = static_cast<std::size_t>(nodeOfSlot[s - n] - 1);
    if (!interface[i]) misesSums[i] = areas[i] * r.slotMises[i];
    interface[i] = 1;
    for (std::size_t c = 0; c < StressStateSize; ++c) sums[i][c] += sums[s][c];
    areas[i] += areas[s];
    misesSums[i] += areas[s] * r.slotMises[s];
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (!interface[i]) continue;
    for (int c = 0; c < 3; ++c) r.nodeMean[static_cast<std::size_t>(c)][i] = sums[i][c] / areas[i];
    r.nodeMean[NodalMises][i] = misesSums[i] / areas[i];
    r.nodeMean[NodalHoop][i] = sums[i][3] / areas[i];
  }
  return r;
}

}  // namespace trivane
