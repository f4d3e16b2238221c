#include "model/result_fields.h"

#include <array>

namespace trivane {

namespace {

using enum ResultField;
using enum FieldPlace;

// The files give averaged columns only for the components the averaging
// forms; the principal stresses at a node follow from these. |u| has its own
// vector, "displacement", at the nodes. ‖e‖ is the square root of an energy.
constexpr std::array<ResultFieldRow, ResultFieldCount> Rows{{
    // field, key, name, short name, symbol, unit, export, averaged export, place, averaged, stress list,
    // axisymmetric only
    {SigmaX, "sx", "σx", "σx", "σx", "Pa", "sigma_x", "sigma_x_avg", ElementPoints, true, true, false},
    {SigmaY, "sy", "σy", "σy", "σy", "Pa", "sigma_y", "sigma_y_avg", ElementPoints, true, true, false},
    {TauXY, "txy", "τxy", "τxy", "τxy", "Pa", "tau_xy", "tau_xy_avg", ElementPoints, true, true, false},
    {Sigma1, "s1", "σ1", "σ1", "σ1", "Pa", "sigma_1", "", ElementPoints, true, true, false},
    {Sigma2, "s2", "σ2", "σ2", "σ2", "Pa", "sigma_2", "", ElementPoints, true, true, false},
    {TauMax, "tmax", "τmax", "τmax", "τmax", "Pa", "tau_max", "", ElementPoints, true, true, false},
    {Mises, "mises", "von Mises", "σv", "von Mises", "Pa", "von_mises", "von_mises_avg", ElementPoints, true, false, false},
    {DisplacementMagnitude, "umag", "|u|", "|u|", "|u|", "m", "", "", Nodes, true, false, false},
    {Error, "error", "误差", "误差", "‖e‖", "√J", "error", "", Elements, false, false, false},
    {SigmaTheta, "stheta", "σθ", "σθ", "σθ", "Pa", "sigma_theta", "sigma_theta_avg", ElementPoints, true, false, true},
}};

struct AxisymmetricName {
  ResultField field;
  std::string_view name;
};
constexpr std::array<AxisymmetricName, 3> AxisymmetricNames{{{SigmaX, "σr"}, {SigmaY, "σz"}, {TauXY, "τrz"}}};

constexpr bool InFieldOrder() {
  for (std::size_t k = 0; k < Rows.size(); ++k)
    if (Rows[k].field != static_cast<ResultField>(k)) return false;
  return true;
}
static_assert(InFieldOrder(), "a row's place in the table is its field's number");

}  // namespace

std::span<const ResultFieldRow> ResultFields() { return Rows; }

const ResultFieldRow& RowOf(ResultField field) { return Rows[static_cast<std::size_t>(field)]; }

ResultFieldRow NamedRow(ResultField field, ProblemType problem) {
  ResultFieldRow row = RowOf(field);
  if (problem != Axisymmetric) return row;
  for (const AxisymmetricName& renamed : AxisymmetricNames)
    if (renamed.field == field) row.name = row.shortName = row.symbol = renamed.name;
  return row;
}

bool FieldApplies(const ResultFieldRow& row, ProblemType problem) {
  return !row.axisymmetricOnly || problem == Axisymmetric;
}

std::vector<ResultField> FieldsFor(std::span<const ResultFieldRow> rows, ProblemType problem) {
  std::vector<ResultField> fields;
  for (const ResultFieldRow& row : rows)
    if (FieldApplies(row, problem)) fields.push_back(row.field);
  return fields;
}

std::optional<ResultField> ResultFieldOfKey(std::string_view key) {
  for (const ResultFieldRow& row : Rows)
    if (row.key == key) return row.field;
  return std::nullopt;
}

std::string ResultFieldTitle(ResultField field, ProblemType problem) {
  const ResultFieldRow row = NamedRow(field, problem);
  std::string title(row.name);
  if (row.symbol != row.name) title.append(" ").append(row.symbol);
  return title.append(" (").append(row.unit).append(")");
}

}  // namespace trivane
