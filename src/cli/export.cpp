// trivane-cli export: the compute command on a model file, then the model and
// its results written for post-processors (.vtu) or spreadsheets (.csv).
#include <filesystem>
#include <memory>
#include <string>

#include "analysis/compute.h"
#include "analysis/elements/material.h"
#include "app/exported_results.h"
#include "cli/cli_common.h"
#include "cli/condition_flags.h"
#include "io/results_files.h"

namespace trivane::cli {

int RunExport(std::span<const std::string> args) {
  const Arguments a = ParseArguments(args, WithModelOptions({{"-o", "--solver"}, {}, {}}), 1);
  if (!a.Has("-o")) throw UsageError("the file to write is missing: -o OUT.vtu or -o OUT.csv");
  const std::string out = a.Value("-o");
  std::string extension = std::filesystem::path(out).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension != ".vtu" && extension != ".csv")
    throw UsageError("-o names a .vtu or a .csv file, not \"" + out + "\"");
  const ModelOptions options = ReadModelOptions(a);
  const SolverChoice solver = SolverOption(a);
  // A large model computes for seconds: an output that cannot be written is
  // said before, not after.
  CheckResultsFileWritable(out);

  const ComputedModel computed = ComputeModelFile(a.positional[0], options, solver);
  WriteResultsFile(out, *computed.model, ExportedResultsOf(computed.solution));
  return 0;
}

}  // namespace trivane::cli
