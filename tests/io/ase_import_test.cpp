#include "io/ase_import.h"

#include <gtest/gtest.h>

#include <string>

#include "io/number_text.h"
#include "model/errors.h"

namespace trivane {
namespace {

// Lines in the layout the format's own exporter writes.
std::string NumVertex(int n) { return "\t\t*MESH_NUMVERTEX " + FormatInteger(n) + "\r\n"; }
std::string NumFaces(int n) { return "\t\t*MESH_NUMFACES " + FormatInteger(n) + "\r\n"; }
std::string Vertex(int number, const std::string& x, const std::string& y, const std::string& z) {
  return "\t\t\t*MESH_VERTEX " + FormatInteger(number, 4) + "\t" + x + "\t" + y + "\t" + z + "\r\n";
}
std::string Face(int number, int a, int b, int c) {
  return "\t\t\t*MESH_FACE " + FormatInteger(number, 4) + ":    A:" + FormatInteger(a, 5) + " B:" +
         FormatInteger(b, 5) + " C:" + FormatInteger(c, 5) + " AB:    1 BC:    1 CA:    0\t *MESH_SMOOTHING 1 \t*MESH_MTLID 0\r\n";
}

// A square of two triangles in one mesh, with the lines the import ignores.
std::string Square() {
  return "*3DSMAX_ASCIIEXPORT\t200\r\n*GEOMOBJECT {\r\n\t*MESH {\r\n" + NumVertex(4) + NumFaces(2) +
         "\t\t*MESH_VERTEX_LIST {\r\n" + Vertex(0, "-10.0000", "5.0000", "0.0000") +
         Vertex(1, "10.0000", "5.0000", "0.0000") + Vertex(2, "10.0000", "5.0000", "20.0000") +
         Vertex(3, "-10.0000", "5.0000", "20.0000") + "\t\t}\r\n\t\t*MESH_FACE_LIST {\r\n" + Face(0, 0, 1, 2) +
         Face(1, 0, 2, 3) + "\t\t}\r\n\t\t*MESH_NORMALS {\r\n\t\t\t*MESH_FACENORMAL 0\t0.0000\t-1.0000\t0.0000\r\n" +
         "\t\t\t\t*MESH_VERTEXNORMAL 0\t0.0000\t-1.0000\t0.0000\r\n\t\t}\r\n\t}\r\n}\r\n";
}

TEST(ImportAse, ReadsTheXzPlaneAndCornersPlusOne) {
  const Model m = ImportAse(Square(), Model{});
  ASSERT_EQ(m.nodeCount, 4);
  ASSERT_EQ(m.elementCount, 2);
  EXPECT_EQ(m.nodes[1], (Node{-10.0, 0.0, 0, 0, 0.0, 0.0}));
  EXPECT_EQ(m.nodes[3], (Node{10.0, 20.0, 0, 0, 0.0, 0.0}));
  EXPECT_EQ(m.elements[1], (Element{1, 2, 3}));
  EXPECT_EQ(m.elements[2], (Element{1, 3, 4}));
  EXPECT_EQ(m.bounds, (ModelBounds{20.0, 0.0, 10.0, -10.0}));
}

struct VertexRow {
  const char* name;
  std::string line;
  double x;
  double y;
};

class VertexFieldRule : public ::testing::TestWithParam<VertexRow> {};

TEST_P(VertexFieldRule, TakesThirdFieldFromTheEndAndTheLast) {
  // A face on the one vertex makes the file a mesh.
  const Model m = ImportAse(GetParam().line + "\r\n*MESH_FACE    0:    A:    0 B:    0 C:    0", Model{});
  ASSERT_EQ(m.nodeCount, 1);
  EXPECT_EQ(m.nodes[1].x, GetParam().x);
  EXPECT_EQ(m.nodes[1].y, GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, VertexFieldRule,
    ::testing::Values(VertexRow{"Tabs", "*MESH_VERTEX    0\t-10.0000\t5.0000\t0.0000", -10.0, 0.0},
                      VertexRow{"Blanks", "*MESH_VERTEX 0 1.5 2.5 3.5", 1.5, 3.5},
                      VertexRow{"AnySeparator", "*MESH_VERTEX 7;1.5;2.5|3.5", 1.5, 3.5},
                      VertexRow{"LastFieldCutAt20", "*MESH_VERTEX 0\t1\t2\t0.1234567890123456789999", 1.0,
                                0.123456789012345678},
                      VertexRow{"NoVertexNumber", "*MESH_VERTEX \t4\t5\t6", 4.0, 6.0},
                      VertexRow{"NegativeZero", "*MESH_VERTEX 0\t-0.0000\t1\t-0.0000", -0.0, -0.0}),
    [](const auto& info) { return info.param.name; });

struct FailureRow {
  const char* name;
  std::string bytes;
  std::string message;
  int line;  // 0: the error belongs to the whole file
};

class RefusedImport : public ::testing::TestWithParam<FailureRow> {};

TEST_P(RefusedImport, ReportsAndChangesNothing) {
  Model current = ImportAse(Square(), Model{});
  current.nodes[1].restraint = FixedXY;
  const Model before = current;
  try {
    ImportAse(GetParam().bytes, current);
    FAIL() << "accepted";
  } catch (const LineError& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().message);
    EXPECT_EQ(e.line(), GetParam().line);
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().message);
    EXPECT_EQ(0, GetParam().line);
  }
  EXPECT_TRUE(SameModel(current, before));
}

std::string Vertices(int count, int first = 0) {
  std::string lines;
  for (int k = 0; k < count; ++k) lines += Vertex(first + k, FormatInteger(k), "0", FormatInteger(k % 7));
  return lines;
}

std::string Faces(int count) {
  std::string lines;
  // The face number is not read; four digits keep the corner columns in place.
  for (int k = 0; k < count; ++k) lines += Face(k % 10000, 0, 1, 2);
  return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedImport,
    ::testing::Values(
        FailureRow{"EmptyField", "*MESH_VERTEX 0\t\t5.0\t1.0\r\n", "'' is not a valid floating point value", 1},
        FailureRow{"BadY", Vertex(0, "1", "2", "3") + "*MESH_VERTEX 1\t1\t2\t3x\r\n",
                   "'' is not a valid floating point value", 2},
        FailureRow{"BadFaceCount", "*MESH_NUMFACES x\r\n", "'x' is not a valid integer value", 1},
        FailureRow{"ShiftedFaceLine", Vertices(3) + NumFaces(1) + "*MESH_FACE 0:    A: 0 B: 1 C: 2\r\n",
                   "'B: 1 ' is not a valid integer value", 5},
        FailureRow{"FaceCountNegative", NumFaces(-1), "单元数 -1 不能为负数", 1},
        FailureRow{"FaceCountsAddUpTooHigh", NumVertex(3) + NumFaces(99999) + NumVertex(3) + NumFaces(99999) + NumFaces(1),
                   "单元数 199999 超出上限 199998", 5},
        FailureRow{"CornerBeyondItsMesh", NumVertex(3) + Vertices(3) + NumFaces(1) + Face(0, 0, 1, 3),
                   "面 1 的顶点号 4 不存在", 6},
        FailureRow{"CornerIntoTheNextMesh",
                   NumVertex(3) + Vertices(3) + NumFaces(1) + Face(0, 0, 1, 3) + NumVertex(3) + Vertices(3),
                   "面 1 的顶点号 4 不存在", 6},
        FailureRow{"NegativeCornerInSecondMesh",
                   NumVertex(3) + Vertices(3) + NumFaces(1) + Face(0, 0, 1, 2) + NumVertex(3) + Vertices(3) +
                       NumFaces(1) + Face(0, 0, -1, 2),
                   "面 2 的顶点号 3 不存在", 12},
        FailureRow{"WideCornerReadsWhole", Vertices(3) + Face(0, 10000, 1, 2), "面 1 的顶点号 10001 不存在", 4},
        FailureRow{"MoreFacesCountedThanRead", Vertices(3) + NumFaces(3) + Faces(2), "面数 3 多于读到的 2 个面", 0},
        FailureRow{"MapCompilerLayout",
                   "*MESH_NUMVERTEX\t3\r\n*MESH_NUMFACES\t1\r\n*MESH_VERTEX\t0\t1\t2\t3\r\n"
                   "*MESH_FACE\t0\tA:\t0\tB:\t1\tC:\t2\r\n",
                   "文件中没有网格", 0},
        // A file without a mesh is refused rather than leaving no nodes
        // under the old elements.
        FailureRow{"NoLines", "", "文件中没有网格", 0},
        FailureRow{"ProblemFileChosenByMistake", "4\r\n2\r\n", "文件中没有网格", 0},
        FailureRow{"VerticesWithoutFaces", Vertices(3) + NumFaces(1), "文件中没有网格", 0},
        FailureRow{"FacesWithoutVertices", NumFaces(1) + Face(0, 0, 1, 2), "文件中没有网格", 0}),
    [](const auto& info) { return info.param.name; });

TEST(ImportAse, OverwritesWithoutEmptyingFirst) {
  Model current;
  current.nodeCount = 6;
  for (int32_t k = 1; k <= 6; ++k) current.nodes[k] = Node{100.0 + k, 200.0 + k, FixedY, 1, 5.0 * k, 90.0};
  current.elementCount = 5;
  for (int32_t j = 1; j <= 5; ++j) current.elements[j] = Element{j, j + 1, 6};
  current.material.E = 3e9;

  const Model m = ImportAse(Square(), current);
  EXPECT_EQ(m.nodeCount, 4);
  EXPECT_EQ(m.nodes[2], (Node{10.0, 0.0, FixedY, 1, 10.0, 90.0}));  // conditions survive
  EXPECT_EQ(m.nodes[5], current.nodes[5]);                         // beyond the new count, kept
  EXPECT_EQ(m.elementCount, 2);
  EXPECT_EQ(m.elements[1], (Element{1, 2, 3}));
  EXPECT_EQ(m.elements[3], current.elements[3]);
  EXPECT_EQ(m.material.E, 3e9);
}

TEST(ImportAse, FacesBeyondTheFaceCountAreStoredOutsideTheModel) {
  const Model m = ImportAse(Vertices(4) + NumFaces(1) + Face(0, 0, 1, 2) + Face(1, 1, 2, 3), Model{});
  EXPECT_EQ(m.elementCount, 1);
  EXPECT_EQ(m.elements[2], (Element{2, 3, 4}));
}

TEST(ImportAse, EachMeshCountsItsCornersFromItsOwnFirstVertex) {
  const std::string twoMeshes = NumVertex(3) + NumFaces(1) + Vertices(3) + Face(0, 0, 1, 2) + NumVertex(4) +
                                NumFaces(2) + Vertices(4) + Face(0, 0, 1, 2) + Face(1, 0, 2, 3);
  const Model m = ImportAse(twoMeshes, Model{});
  EXPECT_EQ(m.nodeCount, 7);
  EXPECT_EQ(m.elementCount, 3);
  EXPECT_EQ(m.elements[1], (Element{1, 2, 3}));
  EXPECT_EQ(m.elements[2], (Element{4, 5, 6}));
  EXPECT_EQ(m.elements[3], (Element{4, 6, 7}));
}

// Built when run, not with the table: each is tens of megabytes.
TEST(ImportAse, LinesBeyondTheLimitsAreRefusedBeforeAnythingIsRead) {
  const Model current = ImportAse(Square(), Model{});
  const struct {
    std::string bytes;
    const char* message;
  } rows[] = {{Vertices(MaxNodes + 1), "结点数 100000 超出上限 99999"},
              {Vertices(3) + Faces(MaxElements + 1), "单元数 199999 超出上限 199998"}};
  for (const auto& row : rows) {
    try {
      ImportAse(row.bytes, current);
      ADD_FAILURE() << "accepted";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), row.message);
    }
  }
}

TEST(ImportAse, FullCapacityIsAccepted) {
  // A face count has five columns, so the largest model needs two of them.
  const Model m = ImportAse(NumVertex(MaxNodes) + Vertices(MaxNodes) + NumFaces(MaxElements / 2) +
                                NumFaces(MaxElements / 2) + Faces(MaxElements),
                            Model{});
  EXPECT_EQ(m.nodeCount, MaxNodes);
  EXPECT_EQ(m.elementCount, MaxElements);
  EXPECT_EQ(m.nodes[MaxNodes].x, MaxNodes - 1.0);
}

}  // namespace
}  // namespace trivane
