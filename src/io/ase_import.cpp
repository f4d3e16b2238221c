#include "io/ase_import.h"

#include <string>
#include <vector>

#include "io/line_fields.h"
#include "io/number_text.h"
#include "io/text_buffer.h"
#include "model/errors.h"

namespace trivane {

namespace {

constexpr std::string_view FaceCountKey = "MESH_NUMFACES";
constexpr std::string_view VertexCountKey = "MESH_NUMVERTEX";
constexpr std::string_view VertexKey = "MESH_VERTEX ";  // the blank keeps MESH_VERTEXNORMAL out
constexpr std::string_view FaceKey = "MESH_FACE ";      // and MESH_FACENORMAL, MESH_FACE_LIST

bool Contains(std::string_view line, std::string_view key) { return line.find(key) != std::string_view::npos; }

bool IsSeparator(char c) { return !((c >= '0' && c <= '9') || c == '.' || c == '-'); }

// The first and the third coordinate of a vertex line, found by counting
// separators from the end of the line: x is the third field from the end, y the
// last one (at most 20 characters). The keyword guarantees three separators.
struct VertexFields {
  std::string_view x;
  std::string_view y;
};

VertexFields CutVertexFields(std::string_view line) {
  size_t separators[3] = {0, 0, 0};
  int found = 0;
  for (size_t k = line.size(); k-- > 0 && found < 3;)
    if (IsSeparator(line[k])) separators[found++] = k;
  const size_t s1 = separators[0], s2 = separators[1], s3 = separators[2];
  return {line.substr(s3 + 1, s2 - s3 - 1), line.substr(s1 + 1, 20)};
}

// Faces read since the last "MESH_NUMVERTEX" line, checked against the
// vertices of that mesh once the mesh is complete.
struct Mesh {
  int32_t firstNode = 1;     // node number of the mesh's vertex 0
  int32_t firstElement = 1;  // element number of the mesh's first face
};

void CheckMeshCorners(const Model& model, const Mesh& mesh, int32_t lastNode, int32_t lastElement,
                      const std::vector<int>& faceLines) {
  for (int32_t j = mesh.firstElement; j <= lastElement; ++j) {
    const Element& e = model.elements[j];
    for (const int32_t corner : e.Nodes())
      if (corner < mesh.firstNode || corner > lastNode)
        throw LineError(messages::FaceCornerMissing(j, corner), faceLines[static_cast<size_t>(j)] + 1);
  }
}

struct LineCounts {
  int32_t vertices = 0;
  int32_t faces = 0;
};

// The file is measured first, so a model beyond the limits is refused before
// anything is read.
LineCounts MeasureMesh(const TextBuffer& text) {
  LineCounts counts;
  for (int k = 0; k < text.LineCount(); ++k) {
    const std::string_view line = text.Line(k);
    if (Contains(line, VertexKey)) ++counts.vertices;
    if (Contains(line, FaceKey)) ++counts.faces;
  }
  if (counts.vertices > MaxNodes) throw Error(messages::TooManyNodes(counts.vertices));
  if (counts.faces > MaxElements) throw Error(messages::TooManyElements(counts.faces));
  return counts;
}

}  // namespace

Model ImportAse(std::string_view bytes, const Model& current) {
  const TextBuffer text{std::string(bytes)};
  const LineCounts counts = MeasureMesh(text);

  Model model = current;
  int32_t i = 1;  // next node
  int32_t j = 1;  // next element
  bool faceCountSeen = false;
  long long faceCountSum = 0;
  Mesh mesh;
  std::vector<int> faceLines(static_cast<size_t>(counts.faces) + 1, 0);

  for (int k = 0; k < text.LineCount(); ++k) {
    const std::string_view line = text.Line(k);
    if (Contains(line, VertexCountKey)) {
      CheckMeshCorners(model, mesh, i - 1, j - 1, faceLines);
      mesh = Mesh{i, j};
    }
    if (const size_t p = line.find(FaceCountKey); p != std::string_view::npos) {
      const int32_t count = AtLine(k, [&] { return ReadInteger(Columns(line, p + 14, 5)); });
      faceCountSum += count;
      if (count < 0) throw LineError(messages::NegativeElementCount(count), k + 1);
      if (faceCountSum > MaxElements) throw LineError(messages::TooManyElements(faceCountSum), k + 1);
      faceCountSeen = true;
    }
    if (Contains(line, VertexKey)) {
      const VertexFields fields = CutVertexFields(line);
      model.nodes[i].x = AtLine(k, [&] { return ReadReal(fields.x); });
      model.nodes[i].y = AtLine(k, [&] { return ReadReal(fields.y); });
      ++i;
    }
    if (const size_t p = line.find(FaceKey); p != std::string_view::npos) {
      const auto corner = [&](size_t offset) {
        return AtLine(k, [&] { return ReadInteger(Columns(line, p + offset, 5)); }) + mesh.firstNode;
      };
      model.elements[j] = Element{corner(21), corner(29), corner(37)};
      faceLines[static_cast<size_t>(j)] = k;
      ++j;
    }
  }
  // A file chosen by mistake (a problem file, any text) has neither kind of
  // line; taking it would leave a model of no nodes over the old elements.
  if (i == 1 || j == 1) throw Error(messages::NoMesh);
  CheckMeshCorners(model, mesh, i - 1, j - 1, faceLines);
  if (faceCountSum > j - 1) throw Error(messages::FaceCountExceedsFaces(faceCountSum, j - 1));

  model.nodeCount = i - 1;
  if (faceCountSeen) model.elementCount = static_cast<int32_t>(faceCountSum);
  UpdateBounds(model);
  return model;
}

}  // namespace trivane
