#include "analysis/recovery/patch_recovery.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <utility>

#include "analysis/elements/finite_element.h"
#include "analysis/recovery/patch_fit.h"

namespace trivane {

namespace {

// Where the slots of AverageNodalStresses stand: the node and material side of
// each, the elements of its patch, whether it lies on its side's boundary, and
// whether its node lies on an element's side between two corners.
struct SlotLayout {
  std::vector<int32_t> node;
  std::vector<int32_t> side;
  std::vector<double> area;  // of the slot's elements, for the means over sides
  std::vector<int32_t> patchStart;  // elements of slot s: patchElements[patchStart[s] .. patchStart[s + 1])
  std::vector<int32_t> patchElements;
  std::vector<uint8_t> onBoundary;
  std::vector<uint8_t> midSide;
  // A slot that takes the fits of the patches reaching it, having none of its own.
  bool Reached(std::size_t s) const { return onBoundary[s] || midSide[s]; }
  std::span<const int32_t> Patch(std::size_t s) const {
    return {patchElements.data() + patchStart[s], static_cast<std::size_t>(patchStart[s + 1] - patchStart[s])};
  }
};

SlotLayout LayoutOf(const Model& model, const ElementMaterials& sides, const NodalStresses& slots) {
  const std::size_t slotCount = slots.slotValues.size();
  const auto m = static_cast<std::size_t>(std::max(model.elementCount, 0));
  SlotLayout layout;
  layout.node.assign(slotCount, 0);
  layout.side.assign(slotCount, -1);
  layout.area.assign(slotCount, 0.0);
  layout.patchStart.resize(slotCount + 1);
  layout.onBoundary.resize(slotCount);
  layout.midSide.resize(slotCount);
  const FiniteElement& element = ElementTypeOf(model);
  const auto perElement = static_cast<std::size_t>(slots.nodesPerElement);
  for (std::size_t e = 0; e < m; ++e) {
    const ElementNodes nodes = NodesOf(model, static_cast<int32_t>(e + 1));
    const double area = element.Area(nodes);
    for (std::size_t k = 0; k < perElement; ++k) {
      const auto s = static_cast<std::size_t>(slots.cornerSlot[perElement * e + k]);
      layout.node[s] = nodes.number[k];
      layout.side[s] = sides.index[e];
      layout.area[s] += area;
      layout.midSide[s] = k >= static_cast<std::size_t>(element.CornerCount());
      ++layout.patchStart[s + 1];
    }
  }
  for (std::size_t s = 0; s < slotCount; ++s) layout.patchStart[s + 1] += layout.patchStart[s];
  layout.patchElements.resize(perElement * m);
  std::vector<int32_t> next(layout.patchStart.begin(), layout.patchStart.end() - 1);
  for (std::size_t e = 0; e < m; ++e)
    for (std::size_t k = 0; k < perElement; ++k)
      layout.patchElements[static_cast<std::size_t>(next[static_cast<std::size_t>(slots.cornerSlot[perElement * e + k])]++)] =
          static_cast<int32_t>(e + 1);

  // An edge joins two slots of one side; an edge that only one element of
  // that side has is on the side's boundary: the outline, a hole, or an
  // interface with another material.
  std::vector<std::pair<int32_t, int32_t>> edges;
  edges.reserve(static_cast<std::size_t>(element.SideCount()) * m);
  for (std::size_t e = 0; e < m; ++e)
    for (int32_t side = 0; side < element.SideCount(); ++side) {
      const std::span<const int32_t> ends = element.SideNodes(side);
      const int32_t a = slots.cornerSlot[perElement * e + static_cast<std::size_t>(ends[0])];
      const int32_t b = slots.cornerSlot[perElement * e + static_cast<std::size_t>(ends[1])];
      edges.emplace_back(std::min(a, b), std::max(a, b));
    }
  std::sort(edges.begin(), edges.end());
  for (std::size_t i = 0; i < edges.size();) {
    std::size_t j = i + 1;
    while (j < edges.size() && edges[j] == edges[i]) ++j;
    if (j - i == 1) {
      layout.onBoundary[static_cast<std::size_t>(edges[i].first)] = 1;
      layout.onBoundary[static_cast<std::size_t>(edges[i].second)] = 1;
    }
    i = j;
  }
  return layout;
}

}  // namespace

NodalStresses PatchRecoveredStresses(const Model& model, const ElementMaterials& sides,
                                     const std::vector<StressState>& elementStresses,
                                     std::span<const StressState> atNodes) {
  // The slots, and the value of every slot no patch reaches, are the averages.
  NodalStresses r = AverageNodalStresses(model, sides, elementStresses, atNodes);
  const SlotLayout layout = LayoutOf(model, sides, r);
  const std::size_t slotCount = r.slotValues.size();
  const PatchSamples samples = SamplesOf(model, elementStresses, atNodes);
  const auto per = static_cast<std::size_t>(r.nodesPerElement);

  // Step 1: a fit over the patch of every interior corner slot, taken at its
  // node and summed at the boundary and mid-side slots of its patch.
  std::vector<std::optional<PatchFit>> fits(slotCount);
  std::vector<StressState> reachedSums(slotCount, StressState{});
  std::vector<int32_t> reachingFits(slotCount, 0);
  std::vector<std::size_t> lastFit(slotCount, slotCount);  // a slot counts each fit once
  const auto addFit = [&](std::size_t t, std::size_t from) {
    if (lastFit[t] == from) return;
    lastFit[t] = from;
    const Node& corner = model.nodes[layout.node[t]];
    const StressState v = fits[from]->At(corner.x, corner.y);
    for (std::size_t c = 0; c < StressStateSize; ++c) reachedSums[t][c] += v[c];
    ++reachingFits[t];
  };
  for (std::size_t s = 0; s < slotCount; ++s) {
    if (layout.Reached(s)) continue;
    fits[s] = FitPatch(samples, layout.Patch(s));
    if (!fits[s]) continue;
    const Node& at = model.nodes[layout.node[s]];
    r.slotValues[s] = fits[s]->At(at.x, at.y);
    for (const int32_t e : layout.Patch(s))
      for (std::size_t k = 0; k < per; ++k) {
        const auto t = static_cast<std::size_t>(r.cornerSlot[per * static_cast<std::size_t>(e - 1) + k]);
        if (layout.Reached(t)) addFit(t, s);
      }
  }

  // Step 2: a boundary or mid-side slot no patch reaches (the far corner of a
  // corner element whose corners all lie on the boundary, and the middle of
  // its outer sides) takes the fits of the interior slots one element further
  // on, the nearest interior there is.
  for (std::size_t t = 0; t < slotCount; ++t) {
    if (!layout.Reached(t) || reachingFits[t] > 0) continue;
    for (const int32_t e : layout.Patch(t))
      for (std::size_t k = 0; k < per; ++k) {
        const auto u = static_cast<std::size_t>(r.cornerSlot[per * static_cast<std::size_t>(e - 1) + k]);
        for (const int32_t f : layout.Patch(u))
          for (std::size_t j = 0; j < per; ++j) {
            const auto w = static_cast<std::size_t>(r.cornerSlot[per * static_cast<std::size_t>(f - 1) + j]);
            if (fits[w]) addFit(t, w);
          }
      }
  }

  // Step 3: a boundary or mid-side slot takes the mean of the fits that reach
  // it. One none reaches (a strip one element thick) keeps its average: there
  // is no interior to fit.
  for (std::size_t s = 0; s < slotCount; ++s)
    if (reachingFits[s] > 0)
      for (std::size_t c = 0; c < StressStateSize; ++c) r.slotValues[s][c] = reachedSums[s][c] / reachingFits[s];
  for (std::size_t s = 0; s < slotCount; ++s) r.slotMises[s] = SideMises(model, sides, layout.side[s], r.slotValues[s]);

  // Step 4: the nodes' means over their sides, each side weighted by its area,
  // as the averages weigh them; a node with one side keeps its slot's values.
  const auto n = static_cast<std::size_t>(std::max(model.nodeCount, 0));
  std::array<std::vector<double>, 5> sums;
  for (auto& column : sums) column.assign(n, 0.0);
  std::vector<double> areas(n, 0.0);
  // Slot s's value of nodal field c.
  const auto field = [&r](std::size_t s, std::size_t c) {
    if (c == NodalMises) return r.slotMises[s];
    return r.slotValues[s][c == NodalHoop ? 3 : c];
  };
  for (std::size_t s = 0; s < slotCount; ++s) {
    if (layout.node[s] < 1) continue;
    const auto i = static_cast<std::size_t>(layout.node[s] - 1);
    for (std::size_t c = 0; c < sums.size(); ++c) sums[c][i] += layout.area[s] * field(s, c);
    areas[i] += layout.area[s];
  }
  for (std::size_t i = 0; i < n; ++i) {
    const bool oneSide = layout.area[i] == areas[i];
    for (std::size_t c = 0; c < sums.size(); ++c) r.nodeMean[c][i] = oneSide ? field(i, c) : sums[c][i] / areas[i];
  }
  return r;
}

NodalStresses RecoverNodalStresses(const Model& model, const ElementMaterials& sides,
                                   const std::vector<StressState>& elementStresses, StressRecovery recovery,
                                   std::span<const StressState> atNodes) {
  return recovery == StressRecovery::Average ? AverageNodalStresses(model, sides, elementStresses, atNodes)
                                             : PatchRecoveredStresses(model, sides, elementStresses, atNodes);
}

}  // namespace trivane
