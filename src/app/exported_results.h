#pragma once
// The export files' view of the last completed compute.
#include "analysis/solution.h"
#include "io/results_files.h"

namespace trivane {

// The results refer to the solution, which must outlive them.
ExportedResults ExportedResultsOf(const Solution& solution);

}  // namespace trivane
