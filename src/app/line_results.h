#pragma once
// A result field along a line, as the window's graph and trivane-cli line give
// it: the samples from the last completed compute, their table, their graph.
#include <cstdint>
#include <string>

#include "analysis/recovery/fields.h"
#include "analysis/recovery/line_samples.h"
#include "analysis/solution.h"
#include "model/model.h"

namespace trivane {

// The field along the line from the results of the model (as computed); a
// field's graph needs its values at the nodes (ResultFieldRow::averaged).
LineProfile ProfileAlongLine(const Model& model, const Solution& solution, ResultField field, LinePoint from,
                             LinePoint to, int32_t points);

// RFC 4180, CR LF: s,x,y,element,KEY_element,KEY_averaged with the field's
// command-line key (sx_element for σx), one row per sample; a sample outside
// the mesh leaves the last three empty. A solid of revolution's has r and z
// for x and y.
std::string LineCsvText(const LineProfile& profile, ResultField field);

}  // namespace trivane
