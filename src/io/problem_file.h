#pragma once
// The problem file (".trv"): the node count and element count on lines 1 and 2,
// one 94-character line per node (x, y, load, loadAngle as 23-character real
// fields, then one digit each for restraint and orientation) and one
// 15-character line per element ("%5d%5d%5d"), every line ended by CR LF.
#include <string>
#include <string_view>

#include "model/model.h"

namespace trivane {

// The model that opening `bytes` gives when `current` is the model in the
// window: `current` emptied by the new-model clearing, filled from the file,
// bounds recomputed. Material and entries beyond the old counts are kept.
// Throws LineError (1-based line of the file) for a field that is not a number
// a negative count or one beyond MaxNodes or MaxElements; the caller keeps `current` untouched then.
Model ReadProblem(std::string_view bytes, const Model& current);

// The exact bytes of the problem file for `model`.
std::string WriteProblem(const Model& model);

// Writes the problem file, replacing `path` only once it is completely written.
void SaveProblemFile(const std::string& path, const Model& model);

}  // namespace trivane
