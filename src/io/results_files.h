#pragma once
// The export of a model with its results: a VTK XML unstructured grid (.vtu)
// for post-processors, or two CSV tables (.csv) for spreadsheets and scripts.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/model.h"
#include "model/result_fields.h"

namespace trivane {

// The results as plain arrays, numbered like the analysis: entry [d - 1]
// belongs to degree of freedom d (node i: 2i - 1 for x, 2i for y), entry
// [i - 1] to node i, entry [e - 1] to element e. Each covers the model written
// with them (the writers refuse shorter ones with Error(ComputeFirst)).
struct ExportedResults {
  std::span<const double> displacements;
  std::span<const double> reactions;
  std::span<const uint8_t> restrained;  // 1 where the reaction exists
  // By ResultField: the element values of every field with an exportName,
  // the averaged values at the nodes of every field with an averagedExportName.
  std::array<std::span<const double>, ResultFieldCount> elementValues;
  std::array<std::span<const double>, ResultFieldCount> nodeValues;
  EnteredMaterial material;  // the material the results belong to
  // An element with more than one stress point (a six-node triangle's
  // corners): sigma x, sigma y and tau xy at point p of element e at entry
  // [(e - 1) stressPoints + p] of pointStresses[0], [1] and [2].
  int32_t stressPoints = 1;
  std::array<std::span<const double>, 3> pointStresses;
};

// A column of values as the files name it.
struct ExportColumn {
  std::string_view name;
  std::span<const double> values;
};
// The fields' columns, in the order of the field table: the element values of
// each field with an exportName, and the averaged node values of each field
// with an averagedExportName.
std::vector<ExportColumn> ElementColumns(const ExportedResults& results);
std::vector<ExportColumn> NodeColumns(const ExportedResults& results);

// Refuses results that do not cover the model: Error(ComputeFirst).
void RequireCoverage(const Model& model, const ExportedResults& results);

// The .vtu file: points (x, y, 0) and triangles; point data "displacement"
// (u, v, 0), "reaction" (Rx, Ry, 0; 0 where a direction is free) and one
// array per node column; one cell array per element column; field data E,
// mu, t as entered and the problem type. Arrays go in raw binary in the
// appended section, so the file is written in one pass at memory speed. The
// elements' corners must be nodes.
std::string VtuText(const Model& model, const ExportedResults& results);

// RFC 4180 tables, UTF-8, CR LF line ends, a header row, reals in shortest
// round-trip form. Nodes: node, x, y, u, v, Rx, Ry (a reaction left empty where
// there is none) and the node columns. Elements: element, node1, node2,
// node3 (a six-node triangle: to node6, its middle nodes after its corners)
// and the element columns, then, where an element has more than one stress
// point, sigma_x_corner1, sigma_y_corner1, tau_xy_corner1, … for each point.
std::string NodeCsvText(const Model& model, const ExportedResults& results);
std::string ElementCsvText(const Model& model, const ExportedResults& results);

// The element table that goes with OUT.csv: OUT_elements.csv.
std::string ElementCsvPath(const std::string& csvPath);

// Writes `path` in the format its extension names (.vtu or .csv, any case),
// atomically; a .csv comes with its element table, both written or neither.
// Throws Error(UnknownExportFormat) for any other extension, or the save's
// error; a failure leaves every file that was there untouched.
void WriteResultsFile(const std::string& path, const Model& model, const ExportedResults& results);

// Checks before a compute that WriteResultsFile could put its file or files
// at `path` (CheckWritable); an extension it does not write is refused as
// WriteResultsFile refuses it.
void CheckResultsFileWritable(const std::string& path);

}  // namespace trivane
