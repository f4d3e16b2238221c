// trivane-cli mesh, with the real Gmsh library, and the .msh files it writes
// read back by the other commands.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "cli/cli_runner.h"
#include "io/files.h"
#include "io/model_file.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::RunCli;
using testing::SourcePath;
using testing::TempPath;

const std::string Plate = SourcePath("examples/plate-with-hole.geo");

std::string Geometry(const std::string& name, const std::string& script) {
  const std::string path = TempPath(name);
  std::ofstream(path, std::ios::binary) << script;
  return path;
}

// The same mesh written both ways reads to the same model; the problem file
// holds its reals to 15 significant digits.
TEST(Mesh, ProblemFileAndGmshFileHoldTheSameMesh) {
  const std::string trv = TempPath("plate.trv"), msh = TempPath("plate.msh");
  const auto r = RunCli({"mesh", Plate, "-o", trv});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(RunCli({"mesh", Plate, "-o", msh}).status, 0);
  const Model a = LoadModelFile(trv), b = LoadModelFile(msh);
  EXPECT_EQ(r.out, trv + ": " + std::to_string(a.nodeCount) + " nodes, " + std::to_string(a.elementCount) +
                       " elements\n");
  ASSERT_EQ(a.nodeCount, b.nodeCount);
  ASSERT_EQ(a.elementCount, b.elementCount);
  for (int32_t j = 1; j <= a.elementCount; ++j) EXPECT_EQ(a.elements[j], b.elements[j]) << j;
  for (int32_t k = 1; k <= a.nodeCount; ++k) EXPECT_TRUE(testing::Close(a.nodes[k].x, b.nodes[k].x, 1e-14)) << k;
  EXPECT_EQ(a.bounds, (ModelBounds{10.0, 0.0, 10.0, 0.0}));
  EXPECT_EQ(ReadFileBytes(msh).rfind("$MeshFormat\n4.1 0 8\n", 0), 0u);

  // A smaller size gives a finer mesh, which solve takes as it is.
  ASSERT_EQ(RunCli({"mesh", Plate, "-o", trv, "--size", "0.5"}).status, 0);
  EXPECT_GT(LoadModelFile(trv).elementCount, 2 * a.elementCount);
  EXPECT_EQ(RunCli({"info", msh}).status, 0);
}

// The physical groups of a script reach the problem file as the mesh file
// holds them.
TEST(Mesh, PhysicalGroupsReachTheProblemFile) {
  const std::string script =
      "Point(1) = {0, 0, 0, 0.5}; Point(2) = {1, 0, 0, 0.5}; Point(3) = {0, 1, 0, 0.5};\n"
      "Line(1) = {1, 2}; Line(2) = {2, 3}; Line(3) = {3, 1}; Curve Loop(1) = {1, 2, 3};\n"
      "Plane Surface(1) = {1}; Physical Point(\"tip\") = {3}; Physical Curve(\"base A\") = {1};\n"
      "Physical Surface(4) = {1};\n";
  const std::string geometry = Geometry("groups.geo", script), trv = TempPath("groups.trv"), msh = TempPath("groups.msh");
  ASSERT_EQ(RunCli({"mesh", geometry, "-o", trv}).status, 0);
  ASSERT_EQ(RunCli({"mesh", geometry, "-o", msh}).status, 0);
  const Model fromTrv = LoadModelFile(trv), fromMsh = LoadModelFile(msh);
  ASSERT_EQ(fromTrv.conditions.groups.size(), 3u);
  EXPECT_EQ(fromTrv.conditions.groups, fromMsh.conditions.groups);
  EXPECT_EQ(fromTrv.conditions.groups[0].name, "tip");
  EXPECT_EQ(fromTrv.conditions.groups[0].nodes.size(), 1u);
  EXPECT_EQ(fromTrv.conditions.groups[1].name, "base A");
  EXPECT_EQ(fromTrv.conditions.groups[2].elements.size(), static_cast<size_t>(fromTrv.elementCount));
}

// What the script asks for beyond plain triangles is overruled.
TEST(Mesh, SecondOrderOrQuadranglesAskedForStillGiveTriangles) {
  const std::string script =
      "Point(1) = {0, 0, 0, 0.5}; Point(2) = {1, 0, 0, 0.5}; Point(3) = {0, 1, 0, 0.5};\n"
      "Line(1) = {1, 2}; Line(2) = {2, 3}; Line(3) = {3, 1}; Curve Loop(1) = {1, 2, 3};\n"
      "Plane Surface(1) = {1}; Mesh.ElementOrder = 2; Mesh.RecombineAll = 1;\n";
  const auto r = RunCli({"mesh", Geometry("tri.geo", script), "-o", TempPath("tri.trv")});
  EXPECT_EQ(r.status, 0) << r.err;
}

// A quarter disc of radius 1 meshed second order: the same triangles as the
// first-order mesh, a node on the middle of every side (a disc's mesh of V
// corners and T triangles has V + T - 1 sides), and on the arc each side's
// middle node on the circle, off the chord; the .msh holds the same model.
TEST(Mesh, OrderTwoPutsAMidSideNodeOnEverySideAndOnTheCurve) {
  const std::string script =
      "Point(1) = {0, 0, 0, 0.3}; Point(2) = {1, 0, 0, 0.3}; Point(3) = {0, 1, 0, 0.3};\n"
      "Line(1) = {1, 2}; Circle(2) = {2, 1, 3}; Line(3) = {3, 1}; Curve Loop(1) = {1, 2, 3};\n"
      "Plane Surface(1) = {1}; Physical Curve(\"arc\") = {2}; Physical Surface(\"disc\") = {1};\n";
  const std::string geometry = Geometry("disc.geo", script), linear = TempPath("disc1.trv"),
                    trv = TempPath("disc2.trv"), msh = TempPath("disc2.msh");
  ASSERT_EQ(RunCli({"mesh", geometry, "-o", linear, "--order", "1"}).status, 0);
  const auto r = RunCli({"mesh", geometry, "-o", trv, "--order", "2"});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(RunCli({"mesh", geometry, "-o", msh, "--order", "2"}).status, 0);
  const Model corners = LoadModelFile(linear), model = LoadModelFile(trv), fromMsh = LoadModelFile(msh);
  EXPECT_EQ(r.out, trv + ": " + std::to_string(model.nodeCount) + " nodes, " + std::to_string(model.elementCount) +
                       " elements\n");
  ASSERT_EQ(model.elementOrder, 2);
  ASSERT_EQ(model.elementCount, corners.elementCount);
  EXPECT_EQ(model.nodeCount, corners.nodeCount + (corners.nodeCount + corners.elementCount - 1));
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    ASSERT_EQ(model.elements[e].count, 6) << e;
    for (int k = 0; k < 3; ++k) {
      const Node &a = model.nodes[model.elements[e].node[k]], &c = corners.nodes[corners.elements[e].node[k]];
      EXPECT_EQ(a.x, c.x) << e;
      EXPECT_EQ(a.y, c.y) << e;
    }
  }
  EXPECT_EQ(fromMsh.elementOrder, 2);
  EXPECT_EQ(fromMsh.nodeCount, model.nodeCount);
  EXPECT_EQ(fromMsh.conditions.groups.size(), model.conditions.groups.size());

  ASSERT_EQ(model.conditions.groups[0].name, "arc");
  const std::vector<Edge>& arc = model.conditions.groups[0].edges;
  EXPECT_GE(arc.size(), 5u);
  std::size_t onTheCurve = 0;
  for (const Edge& edge : arc)
    for (int32_t e = 1; e <= model.elementCount; ++e)
      for (int k = 0; k < 3; ++k) {
        const Element& el = model.elements[e];
        if (Edge{el.node[k], el.node[(k + 1) % 3]} != edge && Edge{el.node[(k + 1) % 3], el.node[k]} != edge) continue;
        const Node& middle = model.nodes[el.node[k + 3]];
        EXPECT_NEAR(std::hypot(middle.x, middle.y), 1.0, 1e-14);
        const Node &a = model.nodes[edge.node1], &b = model.nodes[edge.node2];
        EXPECT_LT(std::hypot(0.5 * (a.x + b.x), 0.5 * (a.y + b.y)), 1.0 - 1e-3);
        ++onTheCurve;
      }
  EXPECT_EQ(onTheCurve, arc.size());
}

// The Jacobian determinant of a six-node triangle's map at (r, s) of the
// reference triangle.
double JacobianAt(const Model& m, const Element& el, double r, double s) {
  const double t = 1.0 - r - s;
  const double dr[6] = {1.0 - 4.0 * t, 4.0 * r - 1.0, 0.0, 4.0 * (t - r), 4.0 * s, -4.0 * s};
  const double ds[6] = {1.0 - 4.0 * t, 0.0, 4.0 * s - 1.0, -4.0 * r, 4.0 * r, 4.0 * (t - s)};
  double xr = 0, xs = 0, yr = 0, ys = 0;
  for (int k = 0; k < 6; ++k) {
    const Node& n = m.nodes[el.node[k]];
    xr += dr[k] * n.x, xs += ds[k] * n.x, yr += dr[k] * n.y, ys += ds[k] * n.y;
  }
  return xr * ys - xs * yr;
}

// A quarter ring 0.02 thick meshed with sides of 0.5: its coarse elements
// span the ring, and with their sides moved onto the arcs half of them would
// fold over (the Jacobian changing sign inside). Each keeps one sign at its
// nodes, and every node of the arcs stays on its arc.
TEST(Mesh, OrderTwoKeepsElementsOnATightCurveUnfolded) {
  const std::string script =
      "Point(1) = {0, 0, 0, 1}; Point(2) = {1, 0, 0, 1}; Point(3) = {0, 1, 0, 1};\n"
      "Point(4) = {0.98, 0, 0, 1}; Point(5) = {0, 0.98, 0, 1};\n"
      "Line(1) = {4, 2}; Circle(2) = {2, 1, 3}; Line(3) = {3, 5}; Circle(4) = {5, 1, 4};\n"
      "Curve Loop(1) = {1, 2, 3, 4}; Plane Surface(1) = {1}; Physical Surface(\"ring\") = {1};\n";
  const std::string trv = TempPath("ring.trv");
  ASSERT_EQ(RunCli({"mesh", Geometry("ring.geo", script), "-o", trv, "--order", "2", "--size", "0.5"}).status, 0);
  const Model m = LoadModelFile(trv);
  ASSERT_EQ(m.elementOrder, 2);
  const auto radius = [&](int32_t node) { return std::hypot(m.nodes[node].x, m.nodes[node].y); };
  int32_t sidesOnArcs = 0;
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    const Element& el = m.elements[e];
    const double atFirst = JacobianAt(m, el, 0, 0);
    for (const auto& [r, s] : {std::pair{1.0, 0.0}, {0.0, 1.0}, {0.5, 0.0}, {0.5, 0.5}, {0.0, 0.5}})
      EXPECT_GT(atFirst * JacobianAt(m, el, r, s), 0.0) << e;
    for (int k = 0; k < 3; ++k)
      for (const double arc : {1.0, 0.98})
        if (std::abs(radius(el.node[k]) - arc) < 1e-12 && std::abs(radius(el.node[(k + 1) % 3]) - arc) < 1e-12) {
          EXPECT_NEAR(radius(el.node[k + 3]), arc, 1e-12) << e;
          ++sidesOnArcs;
        }
  }
  EXPECT_GE(sidesOnArcs, 4);
}

struct FailureRow {
  const char* name;
  std::vector<std::string> args;  // the output is added
  int status;
  std::string err;  // the start of what is printed on stderr
};

class MeshFailure : public ::testing::TestWithParam<FailureRow> {};

TEST_P(MeshFailure, SaysWhyAndWritesNothing) {
  const std::string out = TempPath(std::string(GetParam().name) + ".trv");
  std::vector<std::string> args = GetParam().args;
  args.insert(args.begin() + 2, {"-o", out});
  const auto r = RunCli(args);
  EXPECT_EQ(r.status, GetParam().status);
  EXPECT_EQ(r.err.substr(0, GetParam().err.size()), GetParam().err) << r.err;
  EXPECT_FALSE(std::filesystem::exists(out));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MeshFailure,
    ::testing::Values(
        FailureRow{"ScriptError", {"mesh", Geometry("bad.geo", "Point(1) = {0, 0, 0};\nLine(1) = {1, 2;\n")}, 1,
                   "几何脚本出错：'" + TempPath("bad.geo") + "', line 2: syntax error (;)\n"},
        FailureRow{"MissingScript", {"mesh", "/nonexistent/g.geo"}, 1, "Cannot open file \"/nonexistent/g.geo\""},
        FailureRow{"Solid", {"mesh", testing::DataPath("gmsh/cube.geo")}, 1, "几何是三维的：只能划分 x-y 平面内的二维几何\n"},
        FailureRow{"OutOfPlane", {"mesh", testing::DataPath("gmsh/tilted.geo")}, 1, "网格不在 x-y 平面内\n"},
        FailureRow{"CurvesOnly", {"mesh", Geometry("curve.geo", "Point(1) = {0, 0, 0}; Point(2) = {1, 0, 0};\nLine(1) = {1, 2};\n")}, 1,
                   "几何中没有面，划分不出三角形单元\n"},
        FailureRow{"ZeroSize", {"mesh", Plate, "--size", "0"}, 1, "网格尺寸 0 必须大于 0\n"},
        // Gmsh fails on this surface inside a parallel region; it must not abort.
        FailureRow{"GmshCannotMesh", {"mesh", testing::DataPath("gmsh/collinear.geo")}, 1, "划分网格失败：Unable to recover the edge"},
        FailureRow{"SizeFarBeyondTheLimit", {"mesh", Plate, "--size", "0.001"}, 1, "网格尺寸 0.001 太小：约需 "},
        // The estimate is the bounding box's: 9.2 million triangles, under a
        // hundred times the limit but over ten times it.
        FailureRow{"LonePointWidensTheBox",
                   {"mesh",
                    Geometry("far.geo",
                             "Point(1) = {0, 0, 0}; Point(2) = {1, 0, 0}; Point(3) = {1, 1, 0}; Point(4) = {0, 1, 0};\n"
                             "Line(1) = {1, 2}; Line(2) = {2, 3}; Line(3) = {3, 4}; Line(4) = {4, 1};\n"
                             "Curve Loop(1) = {1, 2, 3, 4}; Plane Surface(1) = {1}; Point(5) = {1000, 1000, 0};\n"),
                    "--size", "0.5"},
                   1, "网格尺寸 0.5 太小：约需 9237875 个单元"},
        FailureRow{"NoSize", {"mesh", Plate, "--size"}, 2, "trivane-cli mesh: option --size needs a value"},
        FailureRow{"OrderThree", {"mesh", Plate, "--order", "3"}, 1,
                   "单元阶次 3 无效：只能是 1（三结点三角形）或 2（六结点三角形）\n"}),
    [](const auto& info) { return info.param.name; });

TEST(Mesh, OutputMustBeAModelFile) {
  const auto r = RunCli({"mesh", Plate, "-o", TempPath("plate.vtk")});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("trivane-cli mesh: the output must be a .trv or .msh file\n", 0), 0u) << r.err;
}

}  // namespace
}  // namespace trivane
