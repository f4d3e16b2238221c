#pragma once
// The options that change a model after it is read, shared by solve, export,
// render and convert: its material, and the supports, loads and region
// materials put on its groups (a Gmsh mesh's physical groups).
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/solution.h"
#include "cli/cli_common.h"
#include "model/model.h"

namespace trivane::cli {

// The command's own options with the model options added.
OptionNames WithModelOptions(OptionNames own);

// How the model options are written, for the usage text.
extern const char* const ModelOptionsUsage;

// One condition option as given, its values read.
struct ConditionOption {
  std::string flag;   // "--pressure"
  std::string value;  // "top=1e5", as given, for messages
  std::string group;  // the part before the last "=", empty for --gravity and --density
  std::vector<std::string> texts;  // the numbers as given
  std::vector<double> numbers;
  RestraintKind support = Free;  // --support's x, y or xy
};

// The model options with their values read and their form checked, before
// the model is read.
struct ModelOptions {
  std::optional<double> E, mu, t;
  std::optional<ProblemType> problem;
  std::vector<ConditionOption> conditions;  // in command-line order
};

// Reads the model options of `args`. A value that is not a number, a value of
// the wrong form, a material value or a density no material has, throw Error
// naming the option and its value; more than one of --plane-strain,
// --plane-stress and --axisymmetric throws UsageError.
ModelOptions ReadModelOptions(const Arguments& args);

// Applies the options to a model just read, as a user would: the material
// options first (each given value replaces the file's, the rest stay), then
// every condition option in command-line order. A support adds its
// directions to what a node has; an edge load replaces the load of its kind
// on the edges it shares with an earlier one. A group that is not in the
// model, or not of the kind the option needs, and a spin in a plane model,
// throw Error naming the option.
// Returns the notes for stderr about options that did nothing (water below
// the edges it names), the command still succeeding.
std::vector<std::string> ApplyModelOptions(const ModelOptions& options, Model& model);

// Each note on a line of its own on stderr.
void PrintNotes(const std::vector<std::string>& notes);

// The model in `path` with the options applied (their notes printed on
// stderr), and its results, for the commands that write what a compute gives.
struct ComputedModel {
  std::unique_ptr<Model> model;
  Solution solution;
};
ComputedModel ComputeModelFile(const std::string& path, const ModelOptions& options, SolverChoice solver,
                               StressRecovery recovery);

}  // namespace trivane::cli
