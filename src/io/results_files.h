#pragma once
// The export of a model with its results: a VTK XML unstructured grid (.vtu)
// for post-processors, or two CSV tables (.csv) for spreadsheets and scripts.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/model.h"

namespace trivane {

// The results as plain arrays, numbered like the analysis: entry [d - 1]
// belongs to degree of freedom d (node i: 2i - 1 for x, 2i for y), entry
// [i - 1] to node i, entry [e - 1] to element e. Each covers the model written
// with them (the writers refuse shorter ones with Error(ComputeFirst)).
struct ExportedResults {
  std::span<const double> displacements;
  std::span<const double> reactions;
  std::span<const uint8_t> restrained;  // 1 where the reaction exists
  // The averaged stresses at the nodes: sigma x, sigma y, tau xy, von Mises.
  std::array<std::span<const double>, 4> nodeValues;
  // sigma x, sigma y, tau xy, sigma 1, sigma 2, tau max, von Mises, the
  // estimated error.
  std::array<std::span<const double>, 8> elementValues;
  EnteredMaterial material;  // the material the results belong to
};

// The names of the node and element values, as the files call them.
inline constexpr std::array<const char*, 4> NodeValueNames = {"sigma_x_avg", "sigma_y_avg", "tau_xy_avg",
                                                              "von_mises_avg"};
inline constexpr std::array<const char*, 8> ElementValueNames = {
    "sigma_x", "sigma_y", "tau_xy", "sigma_1", "sigma_2", "tau_max", "von_mises", "error"};

// Refuses results that do not cover the model: Error(ComputeFirst).
void RequireCoverage(const Model& model, const ExportedResults& results);

// The .vtu file: points (x, y, 0) and triangles; point data "displacement"
// (u, v, 0), "reaction" (Rx, Ry, 0; 0 where a direction is free) and one
// array per averaged node value; one cell array per element value; field data E, mu, t as entered and the
// problem type. Arrays go in raw binary in the appended section, so the file
// is written in one pass at memory speed. The elements' corners must be nodes.
std::string VtuText(const Model& model, const ExportedResults& results);

// RFC 4180 tables, UTF-8, CR LF line ends, a header row, reals in shortest
// round-trip form. Nodes: node, x, y, u, v, Rx, Ry (a reaction left empty where
// there is none) and the four averaged values. Elements: element, node1,
// node2, node3 and the eight values.
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
