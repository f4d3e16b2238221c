// trivane-cli adapt: a geometry script meshed, solved and meshed again where
// the estimated error is largest, until the error meets a target; the last
// mesh written with its conditions, material and results.
#include <iostream>
#include <string>
#include <vector>

#include "analysis/adaptivity/adaptive_meshing.h"
#include "app/exported_results.h"
#include "cli/cli_common.h"
#include "cli/condition_flags.h"
#include "cli/gmsh_geometry.h"
#include "io/files.h"
#include "io/model_file.h"
#include "io/number_text.h"
#include "io/problem_file.h"
#include "io/results_files.h"
#include "model/errors.h"

namespace trivane::cli {

namespace {

enum class Output { ProblemFile, MeshFile, Vtu };

Output OutputOf(const std::string& path) {
  if (HasExtension(path, ".trv")) return Output::ProblemFile;
  if (HasExtension(path, ".msh")) return Output::MeshFile;
  if (HasExtension(path, ".vtu")) return Output::Vtu;
  throw UsageError("the output must be a .trv, .msh or .vtu file");
}

AdaptSettings SettingsOf(const Arguments& parsed) {
  AdaptSettings settings;
  if (parsed.Has("--target")) {
    settings.targetPercent = RealOption(parsed, "--target", 0.0);
    if (!(settings.targetPercent > 0.0 && settings.targetPercent < 100.0))
      throw Error(messages::AdaptTargetOutOfRange(parsed.Value("--target")));
  }
  if (parsed.Has("--peak-target")) {
    settings.peakTargetPercent = RealOption(parsed, "--peak-target", 0.0);
    if (!(settings.peakTargetPercent > 0.0 && settings.peakTargetPercent < 100.0))
      throw Error(messages::AdaptPeakTargetOutOfRange(parsed.Value("--peak-target")));
  }
  if (parsed.Has("--max-nodes")) {
    settings.maxNodes = ReadInteger(parsed.Value("--max-nodes"));
    if (settings.maxNodes < 3 || settings.maxNodes > MaxNodes)
      throw Error(messages::AdaptNodeLimitOutOfRange(parsed.Value("--max-nodes")));
  }
  if (parsed.Has("--steps")) {
    settings.steps = ReadInteger(parsed.Value("--steps"));
    if (settings.steps < 1 || settings.steps > 100) throw Error(messages::AdaptStepsOutOfRange(parsed.Value("--steps")));
  }
  return settings;
}

constexpr size_t W = 12;

void PrintRoundHeading(std::ostream& out) {
  out << PadLeft("round", 6) << PadLeft("nodes", W) << PadLeft("elements", W) << PadLeft("error (%)", W)
      << PadLeft("max mises (Pa)", 18) << PadLeft("peak (Pa)", 18) << PadLeft("at x", W) << PadLeft("at y", W)
      << PadLeft("time (s)", W) << "\n";
}

void PrintRound(int32_t round, const AdaptRound& r, std::ostream& out) {
  out << FormatInteger(round, 6) << PadLeft(FormatInteger(r.nodes), W) << PadLeft(FormatInteger(r.elements), W)
      << PadLeft(FormatSignificant(r.errorPercent, 3), W) << PadLeft(FormatSignificant(r.maxMises, 6), 18)
      << PadLeft(FormatSignificant(r.peak.mises, 6), 18) << PadLeft(FormatSignificant(r.peak.x, 4), W)
      << PadLeft(FormatSignificant(r.peak.y, 4), W) << PadLeft(FormatSignificant(r.seconds, 3), W) << std::endl;
}

std::string StopSentence(const AdaptOutcome& outcome, const AdaptSettings& settings) {
  const std::string target = FormatGeneral(settings.targetPercent) + " %";
  const std::string eta = FormatSignificant(outcome.rounds.back().errorPercent, 3) + " %";
  switch (outcome.stopped) {
    case AdaptStop::Target:
      if (settings.peakTargetPercent > 0.0)
        return "the error " + eta + " meets the target " + target + " and the peak has settled within " +
               FormatGeneral(settings.peakTargetPercent) + " %";
      return "the error " + eta + " meets the target " + target;
    case AdaptStop::MaxNodes:
      return "the mesh is as fine as " + FormatInteger(settings.maxNodes) + " nodes allow; the error is " + eta;
    case AdaptStop::Steps:
      if (!(outcome.rounds.back().errorPercent > settings.targetPercent))
        return "after " + FormatInteger(settings.steps) + " rounds the peak has not settled within " +
               FormatGeneral(settings.peakTargetPercent) + " %";
      return "after " + FormatInteger(settings.steps) + " rounds the error " + eta + " is still above " + target;
  }
  return {};
}

void PrintJson(const AdaptOutcome& outcome, std::ostream& out) {
  out << "{\"rounds\": [";
  for (std::size_t k = 0; k < outcome.rounds.size(); ++k) {
    const AdaptRound& r = outcome.rounds[k];
    out << (k > 0 ? ", " : "") << "{\"nodes\": " << FormatInteger(r.nodes)
        << ", \"elements\": " << FormatInteger(r.elements) << ", \"error_percent\": " << JsonReal(r.errorPercent)
        << ", \"max_mises\": " << JsonReal(r.maxMises) << ", \"peak_mises\": " << JsonReal(r.peak.mises)
        << ", \"peak_at\": [" << JsonReal(r.peak.x) << ", " << JsonReal(r.peak.y) << "]"
        << ", \"seconds\": " << JsonReal(r.seconds) << "}";
  }
  out << "], \"stopped\": " << JsonString(AdaptStopName(outcome.stopped)) << "}\n";
}

// The options are put on a model that has the geometry's groups and nothing
// else, so that one naming a group the geometry does not define, or a group
// of the wrong kind, is refused before anything is meshed, with the same words
// as on a mesh.
void RefuseUnknownGroups(const ModelOptions& options, const GmshGeometry& geometry) {
  Model groupsOnly;
  groupsOnly.conditions.groups = geometry.Groups();
  ApplyModelOptions(options, groupsOnly);
}

}  // namespace

int RunAdapt(std::span<const std::string> args) {
  const Arguments parsed = ParseArguments(args,
                                          WithModelOptions({{"-o", "--target", "--peak-target", "--max-nodes", "--steps",
                                                             "--size", "--order", "--solver", "--recovery"},
                                                            {"--json"},
                                                            {}}),
                                          1);
  if (!parsed.Has("-o")) throw UsageError("missing -o OUT.trv|OUT.msh|OUT.vtu");
  const std::string out = parsed.Value("-o");
  const Output output = OutputOf(out);
  const bool json = parsed.Has("--json");
  const AdaptSettings settings = SettingsOf(parsed);
  const double size = MeshSizeOption(parsed);
  const int32_t order = ElementOrderOption(parsed);
  const ModelOptions options = ReadModelOptions(parsed);
  const SolverChoice solver = SolverOption(parsed);
  const StressRecovery recovery = RecoveryOption(parsed);
  // Every round is lost if the last mesh cannot be written: said before the first.
  CheckWritable(out);

  GmshGeometry geometry(parsed.positional[0], order);
  RefuseUnknownGroups(options, geometry);
  GmshMesher mesher(geometry, size, parsed.Value("--size"));
  // Every round meshes the same geometry, so what its notes say is said once.
  bool noted = false;
  const auto applyConditions = [&](Model& model) {
    const std::vector<std::string> notes = ApplyModelOptions(options, model);
    if (!noted) PrintNotes(notes);
    noted = true;
  };

  if (!json) PrintRoundHeading(std::cout);
  int32_t round = 0;
  const AdaptOutcome outcome =
      Adapt(mesher, applyConditions, ComputeAndEstimate(solver, recovery), settings, [&](const AdaptRound& r) {
        if (!json) PrintRound(++round, r, std::cout);
      });

  // Every round ran in memory; the one file is written once the loop is done.
  switch (output) {
    case Output::ProblemFile: SaveProblemFile(out, outcome.model); break;
    case Output::MeshFile: WriteFileAtomically(out, mesher.MeshFile()); break;
    case Output::Vtu: WriteResultsFile(out, outcome.model, ExportedResultsOf(outcome.solution)); break;
  }
  if (json) {
    PrintJson(outcome, std::cout);
  } else {
    std::cout << "stopped: " << AdaptStopName(outcome.stopped) << " (" << StopSentence(outcome, settings) << ")\n"
              << out << ": " << FormatInteger(outcome.model.nodeCount) << " nodes, "
              << FormatInteger(outcome.model.elementCount) << " elements\n";
  }
  return 0;
}

}  // namespace trivane::cli
