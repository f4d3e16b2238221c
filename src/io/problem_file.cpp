#include "io/problem_file.h"

#include "io/files.h"
#include "io/line_fields.h"
#include "io/number_text.h"
#include "io/problem_section.h"
#include "io/text_buffer.h"
#include "model/errors.h"

namespace trivane {

namespace {

int32_t IntegerAt(std::string_view text, int lineIndex) {
  return AtLine(lineIndex, [&] { return ReadInteger(text); });
}

double RealAt(std::string_view text, int lineIndex) {
  return AtLine(lineIndex, [&] { return ReadReal(text); });
}

Node ReadNodeLine(std::string_view line, int lineIndex) {
  Node node;
  constexpr size_t W = RealFieldWidth;
  node.x = RealAt(Columns(line, 0, W), lineIndex);
  node.y = RealAt(Columns(line, W, W), lineIndex);
  node.load = RealAt(Columns(line, 2 * W, W), lineIndex);
  node.loadAngle = RealAt(Columns(line, 3 * W, W), lineIndex);
  node.restraint = IntegerAt(Columns(line, 4 * W, 1), lineIndex);
  node.orientation = IntegerAt(Columns(line, 4 * W + 1, 1), lineIndex);
  return node;
}

Element ReadElementLine(std::string_view line, int lineIndex) {
  return Element{IntegerAt(Columns(line, 0, 5), lineIndex), IntegerAt(Columns(line, 5, 5), lineIndex),
                 IntegerAt(Columns(line, 10, 5), lineIndex)};
}

}  // namespace

Model ReadProblem(std::string_view bytes, const Model& current) {
  const TextBuffer text{std::string(bytes)};
  Model model = current;
  ClearModelTables(model);

  const int32_t nodeCount = IntegerAt(text.Line(0), 0);
  if (nodeCount < 0) throw LineError(messages::NegativeNodeCount(nodeCount), 1);
  if (nodeCount > MaxNodes) throw LineError(messages::TooManyNodes(nodeCount), 1);
  const int32_t elementCount = IntegerAt(text.Line(1), 1);
  if (elementCount < 0) throw LineError(messages::NegativeElementCount(elementCount), 2);
  if (elementCount > MaxElements) throw LineError(messages::TooManyElements(elementCount), 2);
  model.nodeCount = nodeCount;
  model.elementCount = elementCount;

  // The tables grow line by line, so what is stored follows the lines the file
  // holds, not the counts it claims: a line past the end is empty and fails to
  // read before anything is stored for it.
  for (int32_t k = 1; k <= nodeCount; ++k) {
    const int lineIndex = k + 1;
    const Node node = ReadNodeLine(text.Line(lineIndex), lineIndex);
    model.nodes[k] = node;
  }
  // A corner that names no node would be drawn from a stray point and could
  // only be refused later, by the analysis.
  for (int32_t j = 1; j <= elementCount; ++j) {
    const int lineIndex = nodeCount + j + 1;
    const Element element = ReadElementLine(text.Line(lineIndex), lineIndex);
    for (const int32_t corner : element.Nodes())
      if (corner < 1 || corner > nodeCount) throw LineError(messages::ElementNodeMissing(j, corner), lineIndex + 1);
    model.elements[j] = element;
  }
  ReadProblemSection(text, nodeCount + elementCount + 2, model);
  UpdateBounds(model);
  return model;
}

std::string WriteProblem(const Model& model) {
  constexpr const char* LineEnd = "\r\n";
  std::string bytes;
  bytes.reserve(32 + static_cast<size_t>(model.nodeCount) * 96 + static_cast<size_t>(model.elementCount) * 17);
  bytes += FormatInteger(model.nodeCount) + LineEnd;
  bytes += FormatInteger(model.elementCount) + LineEnd;
  for (int32_t k = 1; k <= model.nodeCount && k <= MaxNodes; ++k) {
    const Node& n = model.nodes[k];
    bytes += FormatRealField(n.x) + FormatRealField(n.y) + FormatRealField(n.load) + FormatRealField(n.loadAngle);
    bytes += FormatInteger(n.restraint) + FormatInteger(n.orientation) + LineEnd;
  }
  for (int32_t j = 1; j <= model.elementCount && j <= MaxElements; ++j) {
    for (const int32_t corner : model.elements[j].Nodes()) bytes += FormatInteger(corner, 5);
    bytes += LineEnd;
  }
  return bytes += WriteProblemSection(model);
}

void SaveProblemFile(const std::string& path, const Model& model) {
  WriteFileAtomically(path, WriteProblem(model));
}

}  // namespace trivane
