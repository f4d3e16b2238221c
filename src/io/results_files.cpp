#include "io/results_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "io/files.h"
#include "io/number_text.h"
#include "model/errors.h"

namespace trivane {

namespace {

constexpr const char* LineEnd = "\r\n";  // RFC 4180

std::string LowerExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

// A column for every field of the problem type that the name column `name`
// of the table names.
std::vector<ExportColumn> Columns(std::string_view ResultFieldRow::*name, ProblemType problem,
                                  const std::array<std::span<const double>, ResultFieldCount>& values) {
  std::vector<ExportColumn> columns;
  for (const ResultFieldRow& row : ResultFields())
    if (!(row.*name).empty() && FieldApplies(row, problem))
      columns.push_back({row.*name, values[static_cast<std::size_t>(row.field)]});
  return columns;
}

}  // namespace

std::vector<ExportColumn> ElementColumns(const ExportedResults& results) {
  return Columns(&ResultFieldRow::exportName, results.material.problem, results.elementValues);
}

std::vector<ExportColumn> NodeColumns(const ExportedResults& results) {
  return Columns(&ResultFieldRow::averagedExportName, results.material.problem, results.nodeValues);
}

void RequireCoverage(const Model& model, const ExportedResults& results) {
  const auto n = static_cast<std::size_t>(std::max(model.nodeCount, 0));
  const auto m = static_cast<std::size_t>(std::max(model.elementCount, 0));
  bool covered = results.displacements.size() >= 2 * n && results.reactions.size() >= 2 * n &&
                 results.restrained.size() >= 2 * n;
  for (const ExportColumn& column : NodeColumns(results)) covered = covered && column.values.size() >= n;
  for (const ExportColumn& column : ElementColumns(results)) covered = covered && column.values.size() >= m;
  if (results.stressPoints > 1)
    for (const std::span<const double> column : results.pointStresses)
      covered = covered && column.size() >= m * static_cast<std::size_t>(results.stressPoints);
  if (!covered) throw Error(messages::ComputeFirst);
}

std::string NodeCsvText(const Model& model, const ExportedResults& results) {
  RequireCoverage(model, results);
  const std::vector<ExportColumn> columns = NodeColumns(results);
  std::string text = "node,x,y,u,v,Rx,Ry";
  for (const ExportColumn& column : columns) text.append(",").append(column.name);
  text += LineEnd;
  text.reserve(static_cast<std::size_t>(std::max(model.nodeCount, 0)) * 192);
  const auto reaction = [&](std::size_t d) {
    return results.restrained[d] ? FormatShortest(results.reactions[d]) : std::string();
  };
  for (int32_t i = 1; i <= model.nodeCount; ++i) {
    const Node& node = model.nodes[i];
    const auto x = static_cast<std::size_t>(2 * i - 2);
    text += FormatInteger(i) + ',' + FormatShortest(node.x) + ',' + FormatShortest(node.y) + ',' +
            FormatShortest(results.displacements[x]) + ',' + FormatShortest(results.displacements[x + 1]) + ',' +
            reaction(x) + ',' + reaction(x + 1);
    for (const ExportColumn& column : columns)
      text.append(",").append(FormatShortest(column.values[static_cast<std::size_t>(i - 1)]));
    text += LineEnd;
  }
  return text;
}

std::string ElementCsvText(const Model& model, const ExportedResults& results) {
  RequireCoverage(model, results);
  const std::vector<ExportColumn> columns = ElementColumns(results);
  const int32_t nodesPerElement = model.elementOrder == 2 ? 6 : 3;
  std::string text = "element";
  for (int32_t k = 1; k <= nodesPerElement; ++k) text += ",node" + FormatInteger(k);
  for (const ExportColumn& column : columns) text.append(",").append(column.name);
  const auto points = static_cast<std::size_t>(results.stressPoints);
  constexpr const char* Components[] = {"sigma_x", "sigma_y", "tau_xy"};
  if (points > 1)
    for (std::size_t p = 1; p <= points; ++p)
      for (const char* component : Components)
        text.append(",").append(component).append("_corner").append(FormatInteger(static_cast<long long>(p)));
  text += LineEnd;
  text.reserve(static_cast<std::size_t>(std::max(model.elementCount, 0)) * 224);
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    text += FormatInteger(e);
    for (const int32_t corner : model.elements[e].Nodes()) text += ',' + FormatInteger(corner);
    for (const ExportColumn& column : columns)
      text.append(",").append(FormatShortest(column.values[static_cast<std::size_t>(e - 1)]));
    if (points > 1)
      for (std::size_t p = 0; p < points; ++p)
        for (const std::span<const double> component : results.pointStresses)
          text.append(",").append(FormatShortest(component[points * static_cast<std::size_t>(e - 1) + p]));
    text += LineEnd;
  }
  return text;
}

std::string ElementCsvPath(const std::string& csvPath) {
  const std::filesystem::path path = csvPath;
  return (path.parent_path() / (path.stem().string() + "_elements" + path.extension().string())).string();
}

namespace {
[[noreturn]] void RefuseFormat(const std::string& path) {
  throw Error(messages::UnknownExportFormat(std::filesystem::path(path).filename().string()));
}
}  // namespace

void WriteResultsFile(const std::string& path, const Model& model, const ExportedResults& results) {
  const std::string extension = LowerExtension(path);
  if (extension == ".vtu") {
    WriteFileAtomically(path, VtuText(model, results));
  } else if (extension == ".csv") {
    const std::string nodes = NodeCsvText(model, results);
    const std::string elements = ElementCsvText(model, results);
    const FileContent files[] = {{ElementCsvPath(path), elements}, {path, nodes}};
    WriteFilesAtomically(files);
  } else {
    RefuseFormat(path);
  }
}

void CheckResultsFileWritable(const std::string& path) {
  const std::string extension = LowerExtension(path);
  if (extension == ".vtu") {
    CheckWritable(path);
  } else if (extension == ".csv") {
    const std::string paths[] = {path, ElementCsvPath(path)};
    CheckWritable(paths);
  } else {
    RefuseFormat(path);
  }
}

}  // namespace trivane
