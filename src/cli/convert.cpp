// trivane-cli convert: any model file the program reads, with the material and
// conditions the command line adds, written as a problem file ready for the
// window.
#include <iostream>

#include "cli/cli_common.h"
#include "cli/condition_flags.h"
#include "io/model_file.h"
#include "io/number_text.h"
#include "io/problem_file.h"

namespace trivane::cli {

int RunConvert(std::span<const std::string> args) {
  const Arguments parsed = ParseArguments(args, WithModelOptions({{"-o"}, {}, {}}), 1);
  if (!parsed.Has("-o")) throw UsageError("missing -o OUT.trv");
  const std::string out = parsed.Value("-o");
  // Writing a problem file under another extension could replace the source mesh.
  if (!HasExtension(out, ".trv")) throw UsageError("the output must be a .trv file");
  const ModelOptions options = ReadModelOptions(parsed);
  Model model = LoadModel(parsed.positional[0]);
  PrintNotes(ApplyModelOptions(options, model));
  SaveProblemFile(out, model);
  std::cout << out << ": " << FormatInteger(model.nodeCount) << " nodes, " << FormatInteger(model.elementCount)
            << " elements\n";
  return 0;
}

}  // namespace trivane::cli
