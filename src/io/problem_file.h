#pragma once
// The problem file (".trv"): the node count and element count on lines 1 and 2,
// one 94-character line per node (x, y, load, loadAngle as 23-character real
// fields, then one digit each for restraint and orientation) and one
// 15-character line per element ("%5d%5d%5d"), every line ended by CR LF. After
// the element lines, the section of problem_section.h: the material, groups,
// region materials, edge loads and gravity. A reader of the fixed lines alone
// reads no line past them.
#include <string>
#include <string_view>

#include "model/model.h"

namespace trivane {

// The model that opening `bytes` gives when `current` is the model in the
// window: `current` emptied by the new-model clearing, filled from the file,
// bounds recomputed. The material is the file's section's, or `current`'s when
// the file has none; entries beyond the old counts are kept.
// Throws LineError (1-based line of the file) for a field that is not a number,
// a negative count or one beyond MaxNodes or MaxElements, an element corner
// that is no node of the file, anything after the element lines but the
// section, and a section that does not read; the caller keeps `current`
// untouched then.
Model ReadProblem(std::string_view bytes, const Model& current);

// The exact bytes of the problem file for `model`.
std::string WriteProblem(const Model& model);

// Writes the problem file, replacing `path` only once it is completely written.
void SaveProblemFile(const std::string& path, const Model& model);

}  // namespace trivane
