#pragma once
// The export files' view of the last completed compute.
#include "analysis/tables.h"
#include "io/results_files.h"

namespace trivane {

// The results refer to the tables, which must outlive them.
ExportedResults ExportedResultsOf(const AnalysisTables& tables);

}  // namespace trivane
