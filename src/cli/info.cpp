// trivane-cli info: the model in a file (tables, material, groups and
// conditions), as a readable summary or as JSON.
#include <iostream>
#include <string>
#include <utility>

#include "cli/cli_common.h"
#include "cli/model_summary.h"
#include "io/number_text.h"

namespace trivane::cli {

namespace {

void PrintJson(const Model& m, std::ostream& out) {
  const ModelBounds& b = m.bounds;
  out << "{\"nodes\": " << FormatInteger(m.nodeCount) << ", \"elements\": " << FormatInteger(m.elementCount)
      << ", \"bounds\": {\"xmin\": " << JsonReal(b.xmin) << ", \"xmax\": " << JsonReal(b.xmax)
      << ", \"ymin\": " << JsonReal(b.ymin) << ", \"ymax\": " << JsonReal(b.ymax) << "}, \"material\": " << MaterialJson(m)
      << ", " << ConditionsJson(m) << ", \"node_table\": [";
  for (int32_t k = 1; k <= m.nodeCount; ++k) {
    const Node& n = m.nodes[k];
    out << (k > 1 ? ", " : "") << "{\"x\": " << JsonReal(n.x) << ", \"y\": " << JsonReal(n.y)
        << ", \"load\": " << JsonReal(n.load) << ", \"loadAngle\": " << JsonReal(n.loadAngle)
        << ", \"restraint\": " << FormatInteger(n.restraint) << ", \"orientation\": " << FormatInteger(n.orientation)
        << "}";
  }
  out << "], \"element_table\": [";
  for (int32_t j = 1; j <= m.elementCount; ++j) {
    out << (j > 1 ? ", " : "") << "[";
    const char* separator = "";
    for (const int32_t corner : m.elements[j].Nodes()) out << std::exchange(separator, ", ") << FormatInteger(corner);
    out << "]";
  }
  out << "]}\n";
}

void PrintSummary(const std::string& path, const Model& m, std::ostream& out) {
  const ModelBounds& b = m.bounds;
  out << path << "\n"
      << "nodes: " << FormatInteger(m.nodeCount) << ", elements: " << FormatInteger(m.elementCount) << "\n"
      << "x from " << FormatGeneral(b.xmin) << " to " << FormatGeneral(b.xmax) << ", y from "
      << FormatGeneral(b.ymin) << " to " << FormatGeneral(b.ymax) << "\n"
      << MaterialLine(m) << "\n";
  PrintConditions(m, out);
  if (m.nodeCount > 0) {
    constexpr size_t W = 24;  // room for the longest general-format real and a blank
    out << "\n" << PadLeft("node", 6) << PadLeft("x", W) << PadLeft("y", W) << PadLeft("load", W)
        << PadLeft("angle (deg)", W) << PadLeft("restraint", 11) << PadLeft("orientation", 13) << "\n";
    for (int32_t k = 1; k <= m.nodeCount; ++k) {
      const Node& n = m.nodes[k];
      out << FormatInteger(k, 6) << PadLeft(FormatGeneral(n.x), W) << PadLeft(FormatGeneral(n.y), W)
          << PadLeft(FormatGeneral(n.load), W) << PadLeft(FormatGeneral(n.loadAngle), W)
          << FormatInteger(n.restraint, 11) << FormatInteger(n.orientation, 13) << "\n";
    }
  }
  if (m.elementCount > 0) {
    out << "\n" << PadLeft("element", 8) << PadLeft("node1", 7) << PadLeft("node2", 7) << PadLeft("node3", 7) << "\n";
    for (int32_t j = 1; j <= m.elementCount; ++j) {
      out << FormatInteger(j, 8);
      for (const int32_t corner : m.elements[j].Nodes()) out << FormatInteger(corner, 7);
      out << "\n";
    }
  }
}

}  // namespace

int RunInfo(std::span<const std::string> args) {
  const Arguments parsed = ParseArguments(args, {{}, {"--json"}, {}}, 1);
  const std::string& path = parsed.positional[0];
  const Model model = LoadModel(path);
  if (parsed.Has("--json"))
    PrintJson(model, std::cout);
  else
    PrintSummary(path, model, std::cout);
  return 0;
}

}  // namespace trivane::cli
