#include "app/exported_results.h"

#include "analysis/compute.h"
#include "analysis/fields.h"

namespace trivane {

ExportedResults ExportedResultsOf(const AnalysisTables& tables) {
  ExportedResults r;
  r.displacements = Displacements(tables);
  r.reactions = tables.reactions.values;
  r.restrained = tables.reactions.restrained;
  for (const ResultFieldRow& row : ResultFields()) {
    const auto k = static_cast<std::size_t>(row.field);
    if (!row.exportName.empty()) r.elementValues[k] = StoredElementValues(tables, row.field);
    if (!row.averagedExportName.empty()) r.nodeValues[k] = NodeMeanValues(tables, row.field);
  }
  r.material = tables.material;
  return r;
}

}  // namespace trivane
