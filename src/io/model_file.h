#pragma once
// Loading a model from a file chosen by its extension.
#include <string>
#include <string_view>

#include "model/model.h"

namespace trivane {

// ".trv" (a problem file), ".ase" or ".msh" (a mesh imported into an empty
// model), extension compared without regard to case. Anything else throws
// Error(UnknownModelFile); read errors as the readers throw them.
Model LoadModelFile(const std::string& path);

// True when `path` ends in `extension` (".trv"), compared without regard to case.
bool HasExtension(const std::string& path, std::string_view extension);

}  // namespace trivane
