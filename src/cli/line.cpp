// trivane-cli line: a result field along a straight line through the model,
// as a table of evenly spaced samples (.csv) or as the window's graph (.png).
#include <memory>
#include <string>

#include "analysis/compute.h"
#include "app/line_results.h"
#include "cli/cli_common.h"
#include "cli/condition_flags.h"
#include "cli/pictures.h"
#include "display/line_graph.h"
#include "display_qt/qt_canvas.h"
#include "io/files.h"
#include "io/model_file.h"
#include "io/number_text.h"
#include "model/errors.h"
#include "model/limits.h"

namespace trivane::cli {

namespace {

// The graph's default size: wide, as a distance axis wants.
constexpr Size GraphSize{900, 500};

// "X,Y" of --from and --to.
LinePoint ReadPoint(const Arguments& args, const char* flag) {
  const std::string text = args.Value(flag);
  const std::string expected = std::string(flag) + " takes X,Y, not \"" + text + "\"";
  const size_t comma = text.find(',');
  if (comma == std::string::npos) throw UsageError(expected);
  try {
    return {ReadReal(std::string_view(text).substr(0, comma)), ReadReal(std::string_view(text).substr(comma + 1))};
  } catch (const Error&) {
    throw UsageError(expected);
  }
}

int32_t ReadPoints(const Arguments& args) {
  const std::string text = args.Value("--points", "101");
  int32_t points = 0;
  try {
    points = ReadInteger(text);
  } catch (const Error&) {
  }
  if (points < 2 || points > MaxLinePoints)
    throw UsageError("--points takes a whole number from 2 to " + FormatInteger(MaxLinePoints) + ", not \"" + text +
                     "\"");
  return points;
}

}  // namespace

int RunLine(std::span<const std::string> args) {
  const Arguments a = ParseArguments(
      args, WithModelOptions({{"-o", "--from", "--to", "--points", "--component", "--size", "--solver", "--recovery"}, {}, {}}), 1);
  if (!a.Has("-o")) throw UsageError("the file to write is missing: -o OUT.csv or -o OUT.png");
  if (!a.Has("--from") || !a.Has("--to")) throw UsageError("the line is missing: --from X1,Y1 --to X2,Y2");
  const std::string out = a.Value("-o");
  const bool graph = HasExtension(out, ".png");
  if (!graph && !HasExtension(out, ".csv")) throw UsageError("-o names a .csv or a .png file, not \"" + out + "\"");
  if (a.Has("--size") && !graph) throw UsageError("--size belongs to a .png graph");
  const LinePoint from = ReadPoint(a, "--from");
  const LinePoint to = ReadPoint(a, "--to");
  const int32_t points = ReadPoints(a);
  const ResultField field = ComponentOption(a, ComponentChoice::AveragedField);
  const Size size = a.Has("--size") ? ReadSize(a.Value("--size")) : GraphSize;
  const ModelOptions options = ReadModelOptions(a);
  const SolverChoice solver = SolverOption(a);

  const ComputedModel computed = ComputeModelFile(a.positional[0], options, solver, RecoveryOption(a));
  const LineProfile profile = ProfileAlongLine(*computed.model, computed.solution, field, from, to, points);
  if (!graph) {
    WriteFileAtomically(out, LineCsvText(profile, field));
  } else {
    StartQt();
    QtCanvas canvas(size.width, size.height);
    DrawLineGraph(canvas, profile, ResultFieldTitle(field, computed.model->entered.problem));
    WriteFileAtomically(out, Encode(canvas.Image(), "PNG", out));
  }
  return 0;
}

}  // namespace trivane::cli
