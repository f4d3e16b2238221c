#include "app/exported_results.h"

#include "analysis/compute.h"

namespace trivane {

ExportedResults ExportedResultsOf(const Solution& solution) {
  ExportedResults r;
  r.displacements = solution.displacements;
  r.reactions = solution.reactions.values;
  r.restrained = solution.reactions.restrained;
  for (int32_t k = 1; k <= StressComponentCount; ++k)
    r.elementValues[static_cast<std::size_t>(k - 1)] = StressValues(solution, k);
  r.elementValues[StressComponentCount] = solution.mises;
  r.elementValues[StressComponentCount + 1] = solution.error.elementError;
  for (std::size_t k = 0; k < r.nodeValues.size(); ++k) r.nodeValues[k] = solution.averaged.nodeMean[k];
  r.material = solution.material;
  return r;
}

}  // namespace trivane
