#include "app/exported_results.h"

#include "analysis/compute.h"
#include "analysis/recovery/fields.h"

namespace trivane {

ExportedResults ExportedResultsOf(const Solution& solution) {
  ExportedResults r;
  r.displacements = solution.displacements;
  r.reactions = solution.reactions.values;
  r.restrained = solution.reactions.restrained;
  for (const ResultFieldRow& row : ResultFields()) {
    const auto k = static_cast<std::size_t>(row.field);
    if (!row.exportName.empty()) r.elementValues[k] = StoredElementValues(solution, row.field);
    if (!row.averagedExportName.empty()) r.nodeValues[k] = NodeMeanValues(solution, row.field);
  }
  r.material = solution.material;
  r.stressPoints = solution.stressPoints;
  if (solution.stressPoints > 1)
    for (std::size_t c = 0; c < r.pointStresses.size(); ++c) r.pointStresses[c] = solution.pointStresses[c];
  return r;
}

}  // namespace trivane
