#include "analysis/stress_peak.h"

#include <algorithm>
#include <cmath>

namespace trivane {

StressPeak FindStressPeak(const Model& model, const ElementMaterials& sides,
                          const std::vector<StressState>& elementStresses, const NodalStresses& recovered) {
  StressPeak peak;
  int32_t peakSlot = -1;
  for (int32_t e = 1; e <= model.elementCount; ++e)
    for (int32_t k = 0; k < 3; ++k) {
      const double mises = recovered.MisesAtCorner(e, k);
      if (peakSlot >= 0 && !(mises > peak.mises)) continue;
      peak.mises = mises;
      peakSlot = recovered.cornerSlot[static_cast<std::size_t>(3 * (e - 1) + k)];
      const Element& el = model.elements[e];
      const Node& at = model.nodes[k == 0 ? el.node1 : k == 1 ? el.node2 : el.node3];
      peak.x = at.x;
      peak.y = at.y;
    }
  if (!(peak.mises > 0.0)) return peak;

  double local = 0.0;
  for (int32_t e = 1; e <= model.elementCount; ++e)
    for (int32_t k = 0; k < 3; ++k) {
      if (recovered.cornerSlot[static_cast<std::size_t>(3 * (e - 1) + k)] != peakSlot) continue;
      const StressState& star = recovered.AtCorner(e, k);
      const StressState& sigma = elementStresses[static_cast<std::size_t>(e - 1)];
      const StressState difference{star[0] - sigma[0], star[1] - sigma[1], star[2] - sigma[2]};
      local = std::max(local, SideMises(model, sides, sides.index[static_cast<std::size_t>(e - 1)], difference));
    }
  peak.localErrorPercent = 100.0 * local / peak.mises;
  return peak;
}

}  // namespace trivane
