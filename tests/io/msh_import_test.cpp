// The Gmsh mesh import, on files the gmsh program wrote (tests/data/gmsh,
// README.md there says how) and on small hand-made ones for the faults.
#include "io/msh_import.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "io/files.h"
#include "model/errors.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

std::string Gmsh(const std::string& name) { return ReadFileBytes(testing::DataPath("gmsh/" + name)); }

// The text of the error the import throws, with its line (0: none).
struct Refusal {
  std::string text;
  int line = -1;
};

Refusal Refuse(const std::string& bytes) {
  try {
    ImportMsh(bytes, Model{});
  } catch (const LineError& e) {
    return {e.what(), e.line()};
  } catch (const Error& e) {
    return {e.what(), 0};
  }
  return {"accepted", -1};
}

// Gmsh writes ASCII reals with 16 significant digits, binary ones exactly.
::testing::AssertionResult SameMesh(const Model& a, const Model& b) {
  if (a.nodeCount != b.nodeCount || a.elementCount != b.elementCount)
    return ::testing::AssertionFailure() << "counts differ";
  for (int32_t j = 1; j <= a.elementCount; ++j)
    if (a.elements[j] != b.elements[j]) return ::testing::AssertionFailure() << "element " << j << " differs";
  for (int32_t k = 1; k <= a.nodeCount; ++k)
    for (auto coordinate : {&Node::x, &Node::y})
      if (auto close = testing::Close(a.nodes[k].*coordinate, b.nodes[k].*coordinate, 1e-15); !close)
        return close << " at node " << k;
  return ::testing::AssertionSuccess();
}

// One geometry in every layout: the file gmsh wrote as ASCII 2.2 is the
// reference, its first nodes and triangle checked against the file's text.
TEST(ImportMsh, EveryLayoutReadsToTheSameModel) {
  const Model reference = ImportMsh(Gmsh("plate-22.msh"), Model{});
  ASSERT_EQ(reference.nodeCount, 65);
  ASSERT_EQ(reference.elementCount, 98);  // 106 elements, 8 of them the lines of the physical curves
  EXPECT_EQ(reference.nodes[1], (Node{0.0, 0.0, 0, 0, 0.0, 0.0}));
  EXPECT_EQ(reference.nodes[65].x, 1.481221578256915);
  EXPECT_EQ(reference.nodes[65].y, 0.3409091649377061);
  EXPECT_EQ(reference.elements[1], (Element{45, 47, 64}));
  EXPECT_EQ(reference.bounds, (ModelBounds{1.0, 0.0, 2.0, 0.0}));
  for (const char* name : {"plate-22-bin.msh", "plate-22-bin-be.msh", "plate-40.msh", "plate-40-bin.msh",
                           "plate-41.msh", "plate-41-bin.msh", "plate-41-bin-be.msh"})
    EXPECT_TRUE(SameMesh(ImportMsh(Gmsh(name), Model{}), reference)) << name;
  // A byte order is only a byte order.
  EXPECT_TRUE(SameModel(ImportMsh(Gmsh("plate-22-bin-be.msh"), Model{}), ImportMsh(Gmsh("plate-22-bin.msh"), Model{})));
  EXPECT_TRUE(SameModel(ImportMsh(Gmsh("plate-41-bin-be.msh"), Model{}), ImportMsh(Gmsh("plate-41-bin.msh"), Model{})));
}

// Parametric coordinates follow x, y and z, one for each dimension of the
// node's entity; they are read past.
TEST(ImportMsh, ParametricNodesReadAsPlainOnes) {
  const Model plain = ImportMsh(Gmsh("square-22.msh"), Model{});
  ASSERT_EQ(plain.elementCount, 14);
  for (const char* name : {"square-22-param.msh", "square-40-param.msh", "square-41-param.msh"})
    EXPECT_TRUE(SameModel(ImportMsh(Gmsh(name), Model{}), plain)) << name;
}

// Version 4.1 keeps Gmsh's own tags, sparse and out of order; version 2.2 of
// the same mesh is renumbered 1, 2, 3, ... by gmsh itself.
TEST(ImportMsh, SparseUnorderedTagsMapAsGmshRenumbersThem) {
  const Model renumbered = ImportMsh(Gmsh("sparse-22.msh"), Model{});
  ASSERT_EQ(renumbered.nodeCount, 37);
  ASSERT_EQ(renumbered.elementCount, 56);
  EXPECT_TRUE(SameModel(ImportMsh(Gmsh("sparse-41.msh"), Model{}), renumbered));
  EXPECT_TRUE(SameMesh(ImportMsh(Gmsh("sparse-41-bin.msh"), Model{}), renumbered));
}

// Six-node triangles keep Gmsh's node order; the three-node lines of the
// physical curve name their sides by the ends, and the curve's nodes take in
// the mid-side nodes between them.
TEST(ImportMsh, SecondOrderMeshReadsAsSixNodeTriangles) {
  const Model m = ImportMsh(Gmsh("order2-22.msh"), Model{});
  EXPECT_EQ(m.elementOrder, 2);
  EXPECT_EQ(m.nodeCount, 37);
  ASSERT_EQ(m.elementCount, 14);
  EXPECT_EQ(m.elements[1], (Element{{8, 3, 19, 10, 21, 22}, 6}));
  const Group* fixed = FindGroup(m, "fixed");
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->edges, (std::vector<Edge>{{4, 14}, {14, 1}}));
  EXPECT_EQ(GroupNodes(m, *fixed), (std::vector<int32_t>{1, 4, 14, 15, 16}));
}

TEST(ImportMsh, ReplacesNodesAndElementsKeepsTheMaterial) {
  Model current;
  current.nodeCount = 70;
  for (int32_t k = 1; k <= 70; ++k) current.nodes[k] = Node{9.0, 9.0, FixedXY, 2, 100.0, 90.0};
  current.elementCount = 120;
  for (int32_t j = 1; j <= 120; ++j) current.elements[j] = Element{1, 2, 3};
  current.material = Material{0.3, 7e10, 0.01};
  current.entered = EnteredMaterial{PlaneStress, 7e10, 0.3, 0.01, 2700.0};
  const Model imported = ImportMsh(Gmsh("plate-41.msh"), current);
  Model expected = ImportMsh(Gmsh("plate-41.msh"), Model{});
  expected.material = current.material;
  expected.entered = current.entered;
  EXPECT_TRUE(SameModel(imported, expected));
  for (int32_t k = 1; k <= 70; ++k) EXPECT_EQ(imported.nodes[k].restraint, 0) << k;
  EXPECT_EQ(imported.nodes[66], Node{});
  EXPECT_EQ(imported.elements[99], Element{});
}

struct RefusedRow {
  const char* name;
  std::string bytes;
  std::string text;
  int line;  // 0: a binary file, or the file as a whole
};

class RefusedMsh : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(RefusedMsh, NamesTheFaultAndItsLine) {
  const Refusal r = Refuse(GetParam().bytes);
  EXPECT_EQ(r.text, GetParam().text);
  EXPECT_EQ(r.line, GetParam().line);
}

// Hand-made files: a format line, then what follows it.
std::string V22(const std::string& rest) { return "$MeshFormat\n2.2 0 8\n$EndMeshFormat\n" + rest; }
std::string V41(const std::string& rest) { return "$MeshFormat\n4.1 0 8\n$EndMeshFormat\n" + rest; }
const std::string Nodes22 = "$Nodes\n3\n1 0 0 0\n2 1 0 0\n3 0 1 0\n$EndNodes\n";
std::string Elements22(const std::string& lines, int count = 1) {
  return "$Elements\n" + std::to_string(count) + "\n" + lines + "$EndElements\n";
}
const std::string Nodes41 = "$Nodes\n1 3 7 9\n2 1 0 3\n9\n7\n8\n0 0 0\n1 0 0\n0 1 0\n$EndNodes\n";

// "n nodes" in binary version 4.1, little-endian: one block of n nodes tagged
// 1..n, the last count field (`count`) free to lie.
std::string Binary41(uint64_t count, const std::string& elements) {
  auto size = [](uint64_t v) { return std::string(reinterpret_cast<const char*>(&v), 8); };
  auto integer = [](int32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  auto real = [](double v) { return std::string(reinterpret_cast<const char*>(&v), 8); };
  std::string s = "$MeshFormat\n4.1 1 8\n" + integer(1) + "\n$EndMeshFormat\n$Nodes\n";
  s += size(1) + size(count) + size(1) + size(3) + integer(2) + integer(1) + integer(0) + size(3);
  s += size(1) + size(2) + size(3);
  for (double xyz : {0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0, 0.0}) s += real(xyz);
  s += "\n$EndNodes\n$Elements\n" + elements + "\n$EndElements\n";
  return s;
}

std::string ManyTriangles41(uint64_t triangles) {
  auto size = [](uint64_t v) { return std::string(reinterpret_cast<const char*>(&v), 8); };
  auto integer = [](int32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  std::string s = size(1) + size(triangles) + size(1) + size(triangles) + integer(2) + integer(1) + integer(2) +
                  size(triangles);
  for (uint64_t k = 1; k <= triangles; ++k) s += size(k) + size(1) + size(2) + size(3);
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    GmshFiles, RefusedMsh,
    ::testing::Values(
        // The last six-node triangle of a second-order mesh turned into a three-node one.
        RefusedRow{"MixedOrders", [] {
                     std::string s = Gmsh("order2-22.msh");
                     s.replace(s.find("16 9 2 2 1 11 17 19 31 36 26"), 28, "16 2 2 2 1 11 17 19");
                     return s;
                   }(), "网格中同时有三结点和六结点三角形", 66},
        RefusedRow{"Quadrangles", Gmsh("quads-41.msh"), "不支持的单元类型 3（四结点四边形）（只接受三结点和六结点三角形）", 60},
        RefusedRow{"Tetrahedra", Gmsh("cube-41.msh"), "不支持的单元类型 4（四结点四面体）（只接受三结点和六结点三角形）", 164},
        RefusedRow{"TiltedPlane", Gmsh("tilted-41.msh"), "网格不在 x-y 平面内", 0},
        RefusedRow{"LinesOnly", Gmsh("lines-41.msh"), "文件中没有三角形单元", 0},
        RefusedRow{"CutInANodeLine", Gmsh("plate-22.msh").substr(0, Gmsh("plate-22.msh").find("\n5 ") + 4),
                   "文件在 $Nodes 段中意外结束", 16},
        RefusedRow{"CutAfterAnElementLine", Gmsh("plate-41.msh").substr(0, Gmsh("plate-41.msh").size() - 40),
                   "文件在 $Elements 段中意外结束", 290},
        RefusedRow{"BinaryCut", Gmsh("plate-41-bin-be.msh").substr(0, 3000), "文件在 $Nodes 段中意外结束", 0}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    HandMade, RefusedMsh,
    ::testing::Values(
        RefusedRow{"NotAMesh", "$Nodes\n", messages::NotAGmshMesh, 1},
        RefusedRow{"Version3", "$MeshFormat\n3.0 0 8\n$EndMeshFormat\n", "不支持的Gmsh网格版本 3.0（只接受 2.2、4.0 和 4.1）", 2},
        RefusedRow{"DataSize4", "$MeshFormat\n2.2 0 4\n$EndMeshFormat\n",
                   "不支持的Gmsh网格格式 \"0 4\"（文件类型应为 0 或 1，数据长度应为 8）", 2},
        RefusedRow{"ByteOrderMark", std::string("$MeshFormat\n4.1 1 8\n\2\0\0\0\n$EndMeshFormat\n", 39),
                   messages::BadByteOrderMark, 3},
        RefusedRow{"CornerNotANode", V22(Nodes22 + Elements22("1 15 2 0 1 1\n2 2 2 0 1 1 2 4\n", 2)),
                   "单元 1 的结点号 4 不存在", 13},
        RefusedRow{"CornerTagAsWritten", V41(Nodes41 + "$Elements\n1 1 1 1\n2 1 2 1\n1 7 8 10\n$EndElements\n"),
                   "单元 1 的结点号 10 不存在", 17},
        RefusedRow{"TypeWithoutAName", V22(Nodes22 + Elements22("1 99 0 1 2 3\n")), "不支持的单元类型 99（只接受三结点和六结点三角形）", 12},
        RefusedRow{"EightNodeQuadrangleInBlocks", V41(Nodes41 + "$Elements\n1 1 1 1\n2 1 16 1\n"),
                   "不支持的单元类型 16（八结点四边形）（只接受三结点和六结点三角形）", 16},
        // A mesh moved off the plane by 1e-7 of its extent is not a rounding.
        RefusedRow{"JustOffThePlane", V22("$Nodes\n3\n1 0 0 0\n2 1 0 0\n3 0 1 1e-7\n$EndNodes\n" + Elements22("1 2 0 1 2 3\n")),
                   messages::MeshNotInPlane, 0},
        RefusedRow{"GroupLineOnNoNode", V22(Nodes22 + Elements22("7 1 2 4 4 1 5\n1 2 0 1 2 3\n", 2)),
                   "单元 7 的结点号 5 不存在", 12},
        RefusedRow{"PhysicalTagBeyond32Bits", V22(Nodes22 + Elements22("1 2 2 4294967296 1 1 2 3\n")),
                   "'4294967296' is not a valid integer value", 12},
        RefusedRow{"NameWithoutQuotes", V22("$PhysicalNames\n1\n1 1 left\n$EndPhysicalNames\n"),
                   "$PhysicalNames 段的这一行缺少数值", 6},
        RefusedRow{"FewerNamesThanCounted", V22("$PhysicalNames\n2\n1 1 \"left\"\n$EndPhysicalNames\n"),
                   "$PhysicalNames 段没有写完就结束了", 7},
        RefusedRow{"TwiceTheSameTag", V22("$Nodes\n2\n5 0 0 0\n5 1 0 0\n$EndNodes\n"), "结点号 5 出现了两次", 7},
        RefusedRow{"NotANumber", V22("$Nodes\n1\n1 0 0,5 0\n$EndNodes\n"), "'0,5' is not a valid floating point value", 6},
        RefusedRow{"ValueMissing", V22("$Nodes\n1\n1 0 0\n$EndNodes\n"), "$Nodes 段的这一行缺少数值", 6},
        RefusedRow{"ValueTooMany", V22(Nodes22 + Elements22("1 2 0 1 2 3 3\n")), "这一行多出了 '3'", 12},
        RefusedRow{"FewerThanCounted", V22("$Nodes\n3\n1 0 0 0\n$EndNodes\n"), "$Nodes 段没有写完就结束了", 7},
        RefusedRow{"MoreThanCounted", V22("$Nodes\n1\n1 0 0 0\n2 0 0 0\n$EndNodes\n"), "缺少 $EndNodes", 7},
        RefusedRow{"BlocksHoldMoreNodes", V41("$Nodes\n1 1 7 9\n2 1 0 3\n9\n7\n8\n0 0 0\n1 0 0\n0 1 0\n$EndNodes\n"),
                   "结点多于 $Nodes 段开头写的 1 个", 6},
        RefusedRow{"BlockBeyondTheSection", V41("$Nodes\n1 3 1 3\n2 1 0 1099511627776\n1\n"), "结点多于 $Nodes 段开头写的 3 个", 6},
        RefusedRow{"NegativeCount", V22("$Nodes\n-1\n$EndNodes\n"), "数目 -1 不能为负数", 5},
        RefusedRow{"SectionNeverEnds", V22("$Comments\nno end\n"), "缺少 $EndComments", 4},
        RefusedRow{"TextBetweenSections", V22(Nodes22 + "Elements\n"), "应为以 $ 开头的段名，读到的是 'Elements'", 10},
        RefusedRow{"NodesBeyondTheLimit", V22("$Nodes\n100000\n"), "结点数 100000 超出上限 99999", 5},
        RefusedRow{"HugeCountInBinary", Binary41(uint64_t{1} << 40, ""), "结点数 1099511627776 超出上限 99999", 0},
        RefusedRow{"NanInBinary", [] {
                     std::string s = Binary41(3, ManyTriangles41(1));
                     const double nan = std::numeric_limits<double>::quiet_NaN();
                     std::memcpy(s.data() + s.find("$Nodes\n") + 7 + 32 + 20 + 24, &nan, 8);
                     return s;
                   }(),
                   "'nan' is not a valid floating point value", 0}),
    [](const auto& info) { return info.param.name; });

// The triangles are counted past the limit, so that the refusal names them
// all. (Built here rather than in the table: every test process builds the
// table's rows.)
TEST(ImportMsh, TrianglesUpToTheLimitAreTakenOneMoreIsRefused) {
  const Model m = ImportMsh(Binary41(3, ManyTriangles41(MaxElements)), Model{});
  EXPECT_EQ(m.elementCount, MaxElements);
  EXPECT_EQ(m.elements[MaxElements], (Element{1, 2, 3}));
  EXPECT_EQ(Refuse(Binary41(3, ManyTriangles41(MaxElements + 2))).text, "单元数 200000 超出上限 199998");
}

// Gmsh writes a circle's centre as a node; it would make the stiffness
// singular. Left out, it is not checked against the plane either.
TEST(ImportMsh, NodesNoTriangleUsesAreLeftOut) {
  const Model m = ImportMsh(V22("$Nodes\n5\n1 0 0 0\n2 5 5 7\n3 1 0 0\n9 0 1 0\n4 1 1 0\n$EndNodes\n" +
                                Elements22("1 15 2 0 1 2\n2 2 2 0 1 1 3 9\n", 2)),
                            Model{});
  ASSERT_EQ(m.nodeCount, 3);
  EXPECT_EQ(m.nodes[2], (Node{1.0, 0.0, 0, 0, 0.0, 0.0}));
  EXPECT_EQ(m.nodes[3], (Node{0.0, 1.0, 0, 0, 0.0, 0.0}));
  EXPECT_EQ(m.elements[1], (Element{1, 2, 3}));
  EXPECT_EQ(m.bounds, (ModelBounds{1.0, 0.0, 1.0, 0.0}));
}

// The physical groups of the plate: its left and right edges and the plate
// itself, the same in every layout.
TEST(ImportMsh, PhysicalGroupsOfEveryLayout) {
  const Model reference = ImportMsh(Gmsh("plate-22.msh"), Model{});
  const auto& groups = reference.conditions.groups;
  ASSERT_EQ(groups.size(), 3u);
  for (size_t k = 0; k < 2; ++k) {
    const Group& side = groups[k];
    EXPECT_EQ(side.kind, GroupKind::Edges);
    EXPECT_EQ(side.number, static_cast<int32_t>(k + 1));
    EXPECT_EQ(side.name, k == 0 ? "left" : "right");
    ASSERT_EQ(side.edges.size(), 4u);  // a side of length 1 in elements of 0.25
    for (const Edge& e : side.edges)
      for (const int32_t node : {e.node1, e.node2}) EXPECT_EQ(reference.nodes[node].x, k == 0 ? 0.0 : 2.0);
  }
  EXPECT_EQ(groups[2], (Group{GroupKind::Region, 3, "plate", {}, {}, [] {
                                std::vector<int32_t> all(98);
                                for (int32_t j = 0; j < 98; ++j) all[static_cast<size_t>(j)] = j + 1;
                                return all;
                              }()}));
  for (const char* name : {"plate-22-bin.msh", "plate-22-bin-be.msh", "plate-40.msh", "plate-40-bin.msh",
                           "plate-41.msh", "plate-41-bin.msh", "plate-41-bin-be.msh"})
    EXPECT_EQ(ImportMsh(Gmsh(name), Model{}).conditions.groups, groups) << name;
}

// Hand-made meshes, each with a node (tag 9) that no triangle uses: its
// point and its line are dropped from their groups, the groups stay.
TEST(ImportMsh, PhysicalGroupsTakeTheirItemsOnTheModelsNodes) {
  const std::string nodes = "$Nodes\n5\n1 0 0 0\n2 1 0 0\n9 5 5 0\n3 0 1 0\n4 1 1 0\n$EndNodes\n";
  const Model v22 = ImportMsh(
      V22("$PhysicalNames\n4\n0 5 \"corner post\"\n1 1 \"base\"\n1 8 \"unused\"\n2 2 \"板\"\n$EndPhysicalNames\n" +
          nodes +
          Elements22("10 15 2 5 1 4\n11 15 2 6 1 9\n12 15 2 0 1 1\n20 1 2 1 1 2 1\n21 1 2 1 1 9 2\n"
                     "22 1 1 0 3 4\n30 2 2 2 1 1 2 4\n31 2 0 1 4 3\n32 2 2 2 1 2 4 3\n",
                     9)),
      Model{});
  const std::vector<Group> expected = {
      {GroupKind::Nodes, 5, "corner post", {4}, {}, {}},
      {GroupKind::Nodes, 6, "", {}, {}, {}},
      {GroupKind::Edges, 1, "base", {}, {{2, 1}}, {}},
      {GroupKind::Edges, 8, "unused", {}, {}, {}},
      {GroupKind::Region, 2, "板", {}, {}, {1, 3}},
  };
  EXPECT_EQ(v22.conditions.groups, expected);
  ASSERT_EQ(v22.nodeCount, 4);

  // Version 4.1: the triangles' surface is in two groups, the point and the
  // curve in one each (the curve names it twice); the entities of the unused
  // node are in none.
  const Model v41 = ImportMsh(
      V41("$PhysicalNames\n2\n1 1 \"base\"\n2 2 \"板\"\n$EndPhysicalNames\n"
          "$Entities\n2 1 1 0\n4 1 1 0 1 5\n9 5 5 0 0\n1 0 0 0 1 0 0 2 -1 1 2 1 -2\n"
          "1 0 0 0 1 1 0 2 2 7 0\n$EndEntities\n"
          "$Nodes\n1 5 1 9\n2 1 0 5\n1\n2\n9\n3\n4\n0 0 0\n1 0 0\n5 5 0\n0 1 0\n1 1 0\n$EndNodes\n"
          "$Elements\n4 6 1 32\n0 4 15 1\n10 4\n0 9 15 1\n11 9\n1 1 1 2\n20 2 1\n21 9 2\n"
          "2 1 2 2\n30 1 2 4\n32 3 4 1\n$EndElements\n"),
      Model{});
  std::vector<Group> expected41 = expected;
  expected41.erase(expected41.begin() + 3);
  expected41.erase(expected41.begin() + 1);
  expected41[0].name.clear();
  expected41.push_back({GroupKind::Region, 7, "", {}, {}, {1, 2}});
  expected41[2].elements = {1, 2};
  EXPECT_EQ(v41.conditions.groups, expected41);
}

// One more than the limit is refused (see the table); the limit itself is
// taken.
TEST(ImportMsh, NodesUpToTheLimitAreTaken) {
  EXPECT_EQ(ImportMsh(Binary41(MaxNodes, ManyTriangles41(1)), Model{}).nodeCount, 3);
  EXPECT_EQ(Refuse(Binary41(MaxNodes + 1, ManyTriangles41(1))).text, "结点数 100000 超出上限 99999");
}

// A surface in 2000 groups whose 800 triangles would fill 1.6 million group
// items is refused before it takes their memory.
TEST(ImportMsh, GroupItemsBeyondTheLimitAreRefused) {
  std::string surface = "2 0 0 0 1 1 0 2000";
  for (int tag = 1; tag <= 2000; ++tag) surface += " " + std::to_string(tag);
  std::string triangles;
  for (int k = 1; k <= 800; ++k) triangles += std::to_string(k) + " 7 8 9\n";
  const Refusal r = Refuse(V41("$Entities\n0 0 1 0\n" + surface + " 0\n$EndEntities\n" + Nodes41 +
                               "$Elements\n1 800 1 800\n2 2 2 800\n" + triangles + "$EndElements\n"));
  EXPECT_EQ(r.text, "物理组的项数 1599985 超出上限 1599984");
}

// Line ends of another system, and a section's closing line that only begins
// like the one that closes it.
TEST(ImportMsh, LineEndsAndLookalikeSectionEnds) {
  for (const char* name : {"plate-22.msh", "plate-41.msh"}) {
    std::string crlf;
    for (const char c : Gmsh(name)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_TRUE(SameModel(ImportMsh(crlf, Model{}), ImportMsh(Gmsh(name), Model{}))) << name;
  }
  const Model m = ImportMsh(
      V22("$Comments\n$EndCommentsNotYet\n$EndComments\n" + Nodes22 + Elements22("1 2 0 1 2 3\n")), Model{});
  EXPECT_EQ(m.elements[1], (Element{1, 2, 3}));
}

// Every cut of every layout before its last section is closed is refused.
TEST(ImportMsh, EveryTruncationIsRefused) {
  for (const char* name : {"plate-22.msh", "plate-22-bin.msh", "plate-40.msh", "plate-40-bin.msh", "plate-41-bin-be.msh",
                           "sparse-41.msh"}) {
    const std::string bytes = Gmsh(name);
    const size_t complete = bytes.rfind("$EndElements") + std::strlen("$EndElements");
    for (size_t cut = 0; cut < complete; ++cut)
      ASSERT_NE(Refuse(bytes.substr(0, cut)).text, "accepted") << name << " cut at " << cut;
  }
}

}  // namespace
}  // namespace trivane
