#include "analysis/adaptivity/stress_peak.h"

#include <algorithm>
#include <cmath>

#include "analysis/elements/finite_element.h"

namespace trivane {

StressPeak FindStressPeak(const Model& model, const ElementMaterials& sides,
                          const std::vector<StressState>& elementStresses, const NodalStresses& recovered,
                          std::span<const StressState> atNodes) {
  StressPeak peak;
  int32_t peakSlot = -1;
  const int32_t perElement = recovered.nodesPerElement;
  for (int32_t e = 1; e <= model.elementCount; ++e)
    for (int32_t k = 0; k < perElement; ++k) {
      const double mises = recovered.MisesAtCorner(e, k);
      if (peakSlot >= 0 && !(mises > peak.mises)) continue;
      peak.mises = mises;
      peakSlot = recovered.cornerSlot[recovered.Corner(e, k)];
      const PlanePoint at = NodesOf(model, e).at[static_cast<std::size_t>(k)];
      peak.x = at.x;
      peak.y = at.y;
    }
  if (!(peak.mises > 0.0)) return peak;

  // A six-node element's mean would differ from its own stress at the node
  // by the stress's slope, which is no error of the element.
  const auto nodes = static_cast<std::size_t>(ElementTypeOf(model).NodeCount());
  double local = 0.0;
  for (int32_t e = 1; e <= model.elementCount; ++e)
    for (int32_t k = 0; k < perElement; ++k) {
      if (recovered.cornerSlot[recovered.Corner(e, k)] != peakSlot) continue;
      const StressState& star = recovered.AtCorner(e, k);
      const auto element = static_cast<std::size_t>(e - 1);
      const StressState& sigma =
          atNodes.empty() ? elementStresses[element] : atNodes[nodes * element + static_cast<std::size_t>(k)];
      const StressState difference{star[0] - sigma[0], star[1] - sigma[1], star[2] - sigma[2]};
      local = std::max(local, SideMises(model, sides, sides.index[static_cast<std::size_t>(e - 1)], difference));
    }
  peak.localErrorPercent = 100.0 * local / peak.mises;
  return peak;
}

}  // namespace trivane
