#pragma once
// What every trivane-cli command shares: its arguments, loading the model file,
// and writing reals for JSON.
#include <map>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/compute.h"
#include "model/model.h"
#include "model/result_fields.h"

namespace trivane::cli {

// A command line that does not fit the command: main prints the text and the
// usage and exits with status 2.
class UsageError : public std::runtime_error {
 public:
  explicit UsageError(const std::string& text) : std::runtime_error(text) {}
};

// One command's arguments after its name: plain arguments in order, options
// that take a value ("--size 800x600", "-o FILE") and switches ("--json").
struct Arguments {
  std::vector<std::string> positional;
  std::map<std::string, std::string, std::less<>> values;
  std::set<std::string, std::less<>> switches;
  // Options that may be given again and again, each with its value, in
  // command-line order.
  std::vector<std::pair<std::string, std::string>> repeated;

  bool Has(std::string_view flag) const;  // a switch given, or an option given a value
  // The value of an option, or `fallback` when it was not given.
  std::string Value(std::string_view flag, std::string_view fallback = {}) const;
};

// The options a command knows, by how they are given.
struct OptionNames {
  std::vector<std::string_view> values;      // each at most once, with a value
  std::vector<std::string_view> switches;    // each at most once, alone
  std::vector<std::string_view> repeatable;  // as often as wanted, each time with a value
};

// Splits `args` by the options the command knows. Throws UsageError for an
// unknown option, an option without its value, an option other than a
// repeatable one given twice, or a number of plain arguments other than
// `positionalCount`.
Arguments ParseArguments(std::span<const std::string> args, const OptionNames& options, size_t positionalCount);

// The real of an option (read like every real of the program), or `fallback`.
// A text that is not a real throws Error with the reader's text.
double RealOption(const Arguments& args, std::string_view flag, double fallback);

// The solver of --solver: auto (the default), gauss-jordan or cholesky. Any
// other name throws UsageError.
SolverChoice SolverOption(const Arguments& args);

// How the nodal stresses are recovered, by --recovery: patch (the default) or
// average. Any other name throws UsageError.
StressRecovery RecoveryOption(const Arguments& args);
// The fields --component takes: every field, or for a graph along a line only
// those with values at the nodes. Their keys joined by `separator`, in the
// table's order, for the usage and the messages.
enum class ComponentChoice { AnyField, AveragedField };
std::string ComponentKeys(ComponentChoice choice, std::string_view separator);
// The field of --component (sx unless given); UsageError for another word.
ResultField ComponentOption(const Arguments& args, ComponentChoice choice);

// The model in `path` (".trv", ".ase" or ".msh"); an error found on a line of the file
// becomes "FILE:LINE: message".
Model LoadModel(const std::string& path);

// A real as JSON: the shortest text that reads back exactly; null for inf/NaN,
// which JSON cannot hold.
std::string JsonReal(double value);

// A text as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);

// `text` right-aligned in `width` columns (never cut).
std::string PadLeft(std::string_view text, size_t width);

// A command: runs with its arguments (after the command name), writes its
// output to stdout and returns the exit status; failures are thrown (Error: exit
// 1, UsageError: exit 2).
using CommandFunction = int (*)(std::span<const std::string> args);

int RunInfo(std::span<const std::string> args);
int RunConvert(std::span<const std::string> args);
int RunSolve(std::span<const std::string> args);
int RunRender(std::span<const std::string> args);
int RunLine(std::span<const std::string> args);
int RunExport(std::span<const std::string> args);
int RunMesh(std::span<const std::string> args);
int RunAdapt(std::span<const std::string> args);

}  // namespace trivane::cli
