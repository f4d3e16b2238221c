#include "app/exported_results.h"

#include "analysis/compute.h"

namespace trivane {

ExportedResults ExportedResultsOf(const AnalysisTables& tables) {
  ExportedResults r;
  r.displacements = Displacements(tables);
  r.reactions = tables.reactions.values;
  r.restrained = tables.reactions.restrained;
  for (int32_t k = 1; k <= StressComponentCount; ++k)
    r.elementValues[static_cast<std::size_t>(k - 1)] = StressValues(tables, k);
  r.elementValues[StressComponentCount] = tables.mises;
  r.material = tables.material;
  return r;
}

}  // namespace trivane
