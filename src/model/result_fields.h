#pragma once
// The result fields a compute gives, each described once: the word the
// command line names it by, its name and symbol in the interface, its unit,
// its columns in the exported files and where its values live. Plots,
// legends, the probe, the export files, trivane-cli's tables and options and
// the graphs along a line all read this table, and list the fields in its
// order; a new field is a new row and its computation in the analysis.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/model.h"

namespace trivane {

// The rows of the table, in order.
enum class ResultField : int32_t {
  SigmaX, SigmaY, TauXY, Sigma1, Sigma2, TauMax, Mises, DisplacementMagnitude, Error, SigmaTheta
};
constexpr int32_t ResultFieldCount = 10;

// Where a field's own values are.
enum class FieldPlace {
  ElementPoints,  // at each element's stress points (the constant-strain triangle has one): the stresses
  Elements,       // one value per element
  Nodes,          // one value per node; an element's value is that of its centre
};

struct ResultFieldRow {
  ResultField field;
  std::string_view key;     // --component sx
  std::string_view name;    // lists, menus, the window's legend: "σx", "von Mises", "误差"
  std::string_view shortName;  // the toolbar's component list, whose 72-pixel panel holds no longer name: "σv"
  std::string_view symbol;  // the probe's "σx = …"; follows the name in a title where it differs
  std::string_view unit;    // "Pa", "m"
  std::string_view exportName;          // the element column of .vtu and .csv; empty: none
  std::string_view averagedExportName;  // the column of the averaged values at the nodes; empty: none
  FieldPlace place;
  bool averaged;     // has values at the nodes: smooth plots interpolate them, graphs along a line draw them
  bool stressList;   // an item of the plot's stress list (应力图, Ctrl+F1 …)
  bool axisymmetricOnly;  // a field only a solid of revolution has, such as the hoop stress
};

// Every row, in ResultField order.
std::span<const ResultFieldRow> ResultFields();
const ResultFieldRow& RowOf(ResultField field);

// The row as a model of this problem type names it. A solid of revolution's
// x is the radius and its y the axis, so there σx, σy and τxy are σr, σz and
// τrz; keys and export columns stay those of every model, so that scripts
// read all models alike.
ResultFieldRow NamedRow(ResultField field, ProblemType problem);

// Whether a model of this problem type has the row's field.
bool FieldApplies(const ResultFieldRow& row, ProblemType problem);
// The fields of `rows` a model of this problem type has, in the rows' order:
// what the window's component list offers.
std::vector<ResultField> FieldsFor(std::span<const ResultFieldRow> rows, ProblemType problem);

// The field whose key this is.
std::optional<ResultField> ResultFieldOfKey(std::string_view key);

// As a legend or a graph titles a field in a model of this problem type: its
// name, its symbol where that differs, and its unit: "σx (Pa)", "|u| (m)",
// "误差 ‖e‖ (√J)".
std::string ResultFieldTitle(ResultField field, ProblemType problem);

}  // namespace trivane
