// trivane-cli solve: the compute command on a model file, with the material
// given on the command line; displacements and element stresses as readable
// tables or as JSON.
#include <iostream>
#include <string>

#include "analysis/compute.h"
#include "analysis/material.h"
#include "cli/cli_common.h"
#include "io/number_text.h"

namespace trivane::cli {

namespace {

void PrintJson(const Model& m, const AnalysisTables& t, std::ostream& out) {
  out << "{\"nodes\": " << FormatInteger(m.nodeCount) << ", \"elements\": " << FormatInteger(m.elementCount)
      << ", \"material\": {\"E\": " << JsonReal(m.material.E) << ", \"mu\": " << JsonReal(m.material.mu)
      << ", \"t\": " << JsonReal(m.material.t) << "}, \"displacements\": [";
  for (int32_t i = 1; i <= m.nodeCount; ++i)
    out << (i > 1 ? ", " : "") << "[" << JsonReal(DisplacementU(t, i)) << ", " << JsonReal(DisplacementV(t, i))
        << "]";
  out << "], \"stresses\": [";
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    out << (e > 1 ? ", " : "") << "[";
    for (int32_t k = 1; k <= StressComponentCount; ++k)
      out << (k > 1 ? ", " : "") << JsonReal(StressValue(t, e, k));
    out << "]";
  }
  out << "]}\n";
}

void PrintTables(const std::string& path, const Model& m, const AnalysisTables& t, std::ostream& out) {
  constexpr size_t W = 22;
  out << path << "\n"
      << "nodes: " << FormatInteger(m.nodeCount) << ", elements: " << FormatInteger(m.elementCount) << "\n"
      << "E = " << FormatGeneral(m.material.E) << " Pa, mu = " << FormatGeneral(m.material.mu)
      << ", t = " << FormatGeneral(m.material.t) << " m\n";
  if (m.nodeCount > 0) {
    out << "\n" << PadLeft("node", 6) << PadLeft("u (m)", W) << PadLeft("v (m)", W) << "\n";
    for (int32_t i = 1; i <= m.nodeCount; ++i)
      out << FormatInteger(i, 6) << PadLeft(FormatGeneral(DisplacementU(t, i)), W)
          << PadLeft(FormatGeneral(DisplacementV(t, i)), W) << "\n";
  }
  if (m.elementCount > 0) {
    out << "\n" << PadLeft("element", 8);
    for (const char* heading : {"sx (Pa)", "sy (Pa)", "txy (Pa)", "s1 (Pa)", "s2 (Pa)", "tmax (Pa)"})
      out << PadLeft(heading, W);
    out << "\n";
    for (int32_t e = 1; e <= m.elementCount; ++e) {
      out << FormatInteger(e, 8);
      for (int32_t k = 1; k <= StressComponentCount; ++k) out << PadLeft(FormatGeneral(StressValue(t, e, k)), W);
      out << "\n";
    }
  }
}

}  // namespace

int RunSolve(std::span<const std::string> args) {
  const Arguments parsed = ParseArguments(args, {"--E", "--nu", "--t", "--solver"}, {"--plane-strain", "--json"}, 1);
  const std::string& path = parsed.positional[0];
  const EnteredMaterial material = MaterialOptions(parsed);
  const SolverChoice solver = SolverOption(parsed);
  Model model = LoadModel(path);
  SetMaterial(model, material);
  AnalysisTables tables;
  Compute(model, tables, solver);
  if (parsed.Has("--json"))
    PrintJson(model, tables, std::cout);
  else
    PrintTables(path, model, tables, std::cout);
  return 0;
}

}  // namespace trivane::cli
