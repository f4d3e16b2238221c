// trivane-cli solve: the compute command on a model file, with the material
// and conditions the command line adds; displacements and element stresses as
// readable tables or as JSON, with the support forces, the equilibrium check
// and the von Mises stress.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "analysis/compute.h"
#include "analysis/recovery/fields.h"
#include "analysis/loads/loads.h"
#include "cli/cli_common.h"
#include "cli/condition_flags.h"
#include "cli/model_summary.h"
#include "io/number_text.h"

namespace trivane::cli {

namespace {

void PrintJson(const Model& m, const Solution& t, std::ostream& out) {
  out << "{\"nodes\": " << FormatInteger(m.nodeCount) << ", \"elements\": " << FormatInteger(m.elementCount);
  // A three-node model's JSON stays as it was; a six-node one names its order.
  if (m.elementOrder == 2) out << ", \"element_order\": 2";
  out << ", \"material\": " << MaterialJson(m) << ", \"displacements\": [";
  for (int32_t i = 1; i <= m.nodeCount; ++i)
    out << (i > 1 ? ", " : "") << "[" << JsonReal(DisplacementU(t, i)) << ", " << JsonReal(DisplacementV(t, i))
        << "]";
  // Each element's stresses, as the plot's stress list has them.
  out << "], \"stresses\": [";
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    const char* separator = "";
    out << (e > 1 ? ", " : "") << "[";
    for (const ResultFieldRow& row : ResultFields()) {
      if (!row.stressList) continue;
      out << separator << JsonReal(ElementFieldValue(m, t, row.field, e));
      separator = ", ";
    }
    out << "]";
  }
  // A solid of revolution's hoop stress, one per element.
  if (IsAxisymmetric(t)) {
    out << "], \"hoop_stresses\": [";
    for (int32_t e = 1; e <= m.elementCount; ++e)
      out << (e > 1 ? ", " : "") << JsonReal(ElementFieldValue(m, t, ResultField::SigmaTheta, e));
  }
  if (t.stressPoints > 1) {
    // sigma x, sigma y and tau xy (and sigma theta) at each corner of each element.
    out << "], \"corner_stresses\": [";
    for (int32_t e = 1; e <= m.elementCount; ++e) {
      out << (e > 1 ? ", " : "") << "[";
      for (int32_t p = 0; p < t.stressPoints; ++p) {
        const std::size_t at = static_cast<std::size_t>((e - 1) * t.stressPoints + p);
        out << (p > 0 ? ", " : "") << "[" << JsonReal(t.pointStresses[0][at]) << ", "
            << JsonReal(t.pointStresses[1][at]) << ", " << JsonReal(t.pointStresses[2][at]);
        if (IsAxisymmetric(t)) out << ", " << JsonReal(t.pointHoop[at]);
        out << "]";
      }
      out << "]";
    }
  }
  // The assembled forces: point loads, edge loads and self-weight together.
  out << "], \"nodal_loads\": [";
  const std::vector<double> forces = NodalForces(m);
  bool first = true;
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    const double fx = forces[static_cast<size_t>(2 * i - 2)], fy = forces[static_cast<size_t>(2 * i - 1)];
    if (fx == 0.0 && fy == 0.0) continue;
    out << (first ? "" : ", ") << "[" << FormatInteger(i) << ", " << JsonReal(fx) << ", " << JsonReal(fy) << "]";
    first = false;
  }
  out << "], \"reactions\": [";
  first = true;
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    if (!HasReaction(t, i)) continue;
    const NodeReaction r = ReactionAt(t, i);
    out << (first ? "" : ", ") << "[" << FormatInteger(i) << ", " << (r.rx ? JsonReal(*r.rx) : "null") << ", "
        << (r.ry ? JsonReal(*r.ry) : "null") << "]";
    first = false;
  }
  out << "], \"mises\": [";
  for (int32_t e = 1; e <= m.elementCount; ++e)
    out << (e > 1 ? ", " : "") << JsonReal(ElementFieldValue(m, t, ResultField::Mises, e));
  const Equilibrium& sums = t.equilibrium;
  out << "], \"equilibrium\": {\"sum_rx\": " << JsonReal(sums.sumRx) << ", \"sum_ry\": " << JsonReal(sums.sumRy)
      << ", \"sum_fx\": " << JsonReal(sums.sumFx) << ", \"sum_fy\": " << JsonReal(sums.sumFy) << "}";
  out << ", \"error\": {\"percent\": " << JsonReal(100.0 * t.error.relative) << ", \"elements\": [";
  for (std::size_t e = 0; e < t.error.elementError.size(); ++e)
    out << (e > 0 ? ", " : "") << JsonReal(t.error.elementError[e]);
  out << "]}}\n";
}

// The support forces ("-" where a direction is free) and the equilibrium check.
void PrintReactions(const Model& m, const Solution& t, std::ostream& out) {
  constexpr size_t W = 22;
  const auto text = [](const std::optional<double>& r) { return r ? FormatGeneral(*r) : std::string("-"); };
  bool any = false;
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    if (!HasReaction(t, i)) continue;
    if (!any) out << "\n" << PadLeft("node", 6) << PadLeft("Rx (N)", W) << PadLeft("Ry (N)", W) << "\n";
    any = true;
    const NodeReaction r = ReactionAt(t, i);
    out << FormatInteger(i, 6) << PadLeft(text(r.rx), W) << PadLeft(text(r.ry), W) << "\n";
  }
  const Equilibrium& s = t.equilibrium;
  out << "\nsum Rx = " << FormatGeneral(s.sumRx) << ", sum Ry = " << FormatGeneral(s.sumRy)
      << "\nsum Fx = " << FormatGeneral(s.sumFx) << ", sum Fy = " << FormatGeneral(s.sumFy);
  // Radial forces of a solid of revolution balance round its circumference,
  // through the hoop stress, not through the supports: only z sums to zero.
  if (IsAxisymmetric(t))
    out << "\nsum Ry + sum Fy = " << FormatGeneral(s.sumRy + s.sumFy) << " (radial forces balance round the axis)\n";
  else
    out << "\nsum R + sum F = (" << FormatGeneral(s.sumRx + s.sumFx) << ", " << FormatGeneral(s.sumRy + s.sumFy)
        << ")\n";
  // The recovery estimate of the discretisation error, relative to the energy norm.
  out << "\nestimated error = " << FormatSignificant(100.0 * t.error.relative, 3) << " %\n";
}

void PrintTables(const std::string& path, const Model& m, const Solution& t, std::ostream& out) {
  constexpr size_t W = 22;
  out << path << "\n"
      << "nodes: " << FormatInteger(m.nodeCount) << ", elements: " << FormatInteger(m.elementCount) << "\n"
      << MaterialLine(m) << "\n";
  PrintConditions(m, out);
  if (m.nodeCount > 0) {
    out << "\n" << PadLeft("node", 6) << PadLeft("u (m)", W) << PadLeft("v (m)", W) << "\n";
    for (int32_t i = 1; i <= m.nodeCount; ++i)
      out << FormatInteger(i, 6) << PadLeft(FormatGeneral(DisplacementU(t, i)), W)
          << PadLeft(FormatGeneral(DisplacementV(t, i)), W) << "\n";
  }
  // A column for every field kept at the element's points, headed by its key.
  if (m.elementCount > 0) {
    std::vector<ResultField> columns;
    out << "\n" << PadLeft("element", 8);
    for (const ResultFieldRow& row : ResultFields()) {
      if (row.place != FieldPlace::ElementPoints || !FieldApplies(row, m.entered.problem)) continue;
      columns.push_back(row.field);
      out << PadLeft(std::string(row.key) + " (" + std::string(row.unit) + ")", W);
    }
    out << "\n";
    for (int32_t e = 1; e <= m.elementCount; ++e) {
      out << FormatInteger(e, 8);
      for (const ResultField field : columns) out << PadLeft(FormatGeneral(ElementFieldValue(m, t, field, e)), W);
      out << "\n";
    }
  }
  PrintReactions(m, t, out);
}

}  // namespace

int RunSolve(std::span<const std::string> args) {
  const Arguments parsed = ParseArguments(args, WithModelOptions({{"--solver", "--recovery"}, {"--json"}, {}}), 1);
  const std::string& path = parsed.positional[0];
  const ModelOptions options = ReadModelOptions(parsed);
  const SolverChoice solver = SolverOption(parsed);
  Model model = LoadModel(path);
  PrintNotes(ApplyModelOptions(options, model));
  const Solution solution = Compute(model, solver, RecoveryOption(parsed));
  if (parsed.Has("--json"))
    PrintJson(model, solution, std::cout);
  else
    PrintTables(path, model, solution, std::cout);
  return 0;
}

}  // namespace trivane::cli
