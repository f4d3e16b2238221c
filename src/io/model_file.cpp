#include "io/model_file.h"

#include <cctype>

#include "io/ase_import.h"
#include "io/files.h"
#include "io/msh_import.h"
#include "io/problem_file.h"
#include "model/errors.h"

namespace trivane {

bool HasExtension(const std::string& path, std::string_view extension) {
  if (path.size() < extension.size()) return false;
  const std::string_view tail = std::string_view(path).substr(path.size() - extension.size());
  for (size_t k = 0; k < tail.size(); ++k)
    if (std::tolower(static_cast<unsigned char>(tail[k])) != std::tolower(static_cast<unsigned char>(extension[k])))
      return false;
  return true;
}

Model LoadModelFile(const std::string& path) {
  const Model empty{};
  if (HasExtension(path, ".trv")) return ReadProblem(ReadFileBytes(path), empty);
  if (HasExtension(path, ".ase")) return ImportAse(ReadFileBytes(path), empty);
  if (HasExtension(path, ".msh")) return ImportMsh(ReadFileBytes(path), empty);
  throw Error(messages::UnknownModelFile(path));
}

}  // namespace trivane
