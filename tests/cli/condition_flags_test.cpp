// The supports, loads and materials trivane-cli puts on a mesh's physical
// groups, run as a user runs them.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "cli/cli_runner.h"

namespace trivane {
namespace {

using testing::RunCli;
using testing::TempPath;

// The unit square as triangles 1-2-3 and 1-3-4, with a node group "corner"
// (node 3), edge groups 1 "bottom" (1-2) and 2 "right" (2-3, or the name
// given), and region 1 "plate".
std::string SquareMesh(const std::string& right = "right") {
  const std::string path = TempPath("square.msh");
  std::ofstream(path, std::ios::binary) << "$MeshFormat\n2.2 0 8\n$EndMeshFormat\n"
                                           "$PhysicalNames\n4\n0 1 \"corner\"\n1 1 \"bottom\"\n1 2 \""
                                        << right
                                        << "\"\n"
                                           "2 1 \"plate\"\n$EndPhysicalNames\n"
                                           "$Nodes\n4\n1 0 0 0\n2 1 0 0\n3 1 1 0\n4 0 1 0\n$EndNodes\n"
                                           "$Elements\n5\n1 15 2 1 3 3\n2 1 2 1 1 1 2\n3 1 2 2 2 2 3\n"
                                           "4 2 2 1 1 1 2 3\n5 2 2 1 1 1 3 4\n$EndElements\n";
  return path;
}

struct Refusal {
  std::vector<std::string> flags;
  int status;
  std::string err;  // the whole first line of stderr
};

class ConditionRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(ConditionRefusal, NamesTheOptionAndWhatIsWrong) {
  std::vector<std::string> args = {"solve", SquareMesh(), "--support", "bottom=xy"};
  args.insert(args.end(), GetParam().flags.begin(), GetParam().flags.end());
  const auto r = RunCli(args);
  EXPECT_EQ(r.status, GetParam().status);
  EXPECT_EQ(r.err.substr(0, r.err.find('\n')), GetParam().err);
  EXPECT_EQ(r.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConditionRefusal,
    ::testing::Values(
        Refusal{{"--pressure", "top=1"}, 1, "--pressure top=1: 没有名为 'top' 的组"},
        Refusal{{"--support", "9=x"}, 1, "--support 9=x: 没有名为 '9' 的组"},
        Refusal{{"--pressure", "plate=1"}, 1, "--pressure plate=1: 组 plate 是区域，这里需要边组"},
        Refusal{{"--traction", "corner=1,0"}, 1, "--traction corner=1,0: 组 corner 是结点组，这里需要边组"},
        Refusal{{"--force", "bottom=1,0"}, 1, "--force bottom=1,0: 组 bottom 是边组，这里需要结点组"},
        Refusal{{"--region", "right=1,0.2"}, 1, "--region right=1,0.2: 组 right 是边组，这里需要区域"},
        Refusal{{"--water", "bottom=1,9.8e3x"}, 1, "--water bottom=1,9.8e3x: '9.8e3x' is not a valid floating point value"},
        Refusal{{"--water", "bottom=1"}, 1, "--water bottom=1: 应写成 GROUP=LEVEL,GAMMA"},
        Refusal{{"--water", "bottom=1,-9810"}, 1, "--water bottom=1,-9810: 水的重度必须大于零"},
        Refusal{{"--water", "bottom=1,0"}, 1, "--water bottom=1,0: 水的重度必须大于零"},
        Refusal{{"--support", "bottom=z"}, 1, "--support bottom=z: 应写成 GROUP=x|y|xy"},
        Refusal{{"--force", "=1,0"}, 1, "--force =1,0: 应写成 GROUP=FX,FY"},
        Refusal{{"--gravity", "-9.81"}, 1, "--gravity -9.81: 应写成 GX,GY"},
        Refusal{{"--density", "-1"}, 1, "--density -1: 材料参数无效：密度ρ不能小于0"},
        Refusal{{"--region", "plate=0,0.2"}, 1, "--region plate=0,0.2: 材料参数无效：弹性模量E必须大于0"},
        Refusal{{"--plane-strain", "--region", "1=1,0.5"}, 1, "--region 1=1,0.5: 材料参数无效：平面应变的泊松比μ必须小于0.5"},
        Refusal{{"--temperature", "plate=3O"}, 1, "--temperature plate=3O: '3O' is not a valid floating point value"},
        Refusal{{"--temperature", "bottom=5"}, 1, "--temperature bottom=5: 组 bottom 是边组，这里需要区域"},
        Refusal{{"--temperature", "top=5"}, 1, "--temperature top=5: 没有名为 'top' 的组"},
        Refusal{{"--temperature", "=5"}, 1, "--temperature =5: 应写成 [REGION=]DT"},
        Refusal{{"--temperature", "5,6"}, 1, "--temperature 5,6: 应写成 [REGION=]DT"},
        Refusal{{"--alpha", "plate=1e-5"}, 1, "--alpha plate=1e-5: 'plate=1e-5' is not a valid floating point value"},
        Refusal{{"--region", "plate=3e10,0.2,0,1e-5,1"}, 1,
                "--region plate=3e10,0.2,0,1e-5,1: 应写成 NAME=E,MU[,RHO[,ALPHA]]"},
        Refusal{{"--plane-strain", "--axisymmetric"}, 2,
                "trivane-cli solve: --plane-strain, --plane-stress and --axisymmetric exclude each other"},
        Refusal{{"--spin", "100"}, 1, "--spin 100: 转速ω只用于轴对称模型"},
        Refusal{{"--axisymmetric", "--nu", "0.5"}, 1, "材料参数无效：轴对称的泊松比μ必须小于0.5"},
        Refusal{{"--pressure"}, 2, "trivane-cli solve: option --pressure needs a value"}));

// Converts the square with `flags` and returns the file written.
std::string Converted(const std::vector<std::string>& flags) {
  const std::string out = TempPath("converted.trv");
  std::vector<std::string> args = {"convert", SquareMesh(), "-o", out};
  args.insert(args.end(), flags.begin(), flags.end());
  const auto r = RunCli(args);
  EXPECT_EQ(r.status, 0) << r.err;
  return out;
}

// The file a convert writes, read back as JSON by info.
std::string ConvertedJson(const std::vector<std::string>& flags) {
  return RunCli({"info", Converted(flags), "--json"}).out;
}

// Supports apply in order, each adding its directions to its group's nodes;
// forces on a node add up to one magnitude and angle.
TEST(ConditionOptions, SupportsInOrderAndForcesSummed) {
  const std::string json = ConvertedJson(
      {"--support", "plate=x", "--support", "bottom=xy", "--force", "corner=3,0", "--force", "corner=0,4"});
  EXPECT_NE(json.find("\"node_table\": [{\"x\": 0, \"y\": 0, \"load\": 0, \"loadAngle\": 0, \"restraint\": 3, "
                      "\"orientation\": 0}, {\"x\": 1, \"y\": 0, \"load\": 0, \"loadAngle\": 0, \"restraint\": 3, "
                      "\"orientation\": 0}, {\"x\": 1, \"y\": 1, \"load\": 5, \"loadAngle\": 53.130102354156, "
                      "\"restraint\": 2, \"orientation\": 1}, {\"x\": 0, \"y\": 1, \"load\": 0, \"loadAngle\": 0, "
                      "\"restraint\": 2, \"orientation\": 1}]"),
            std::string::npos)
      << json;
}

// Edge loads, gravity and region materials are kept in the file convert
// writes, and info lists them with the groups. Number 1 is a node group, an
// edge group and a region here: each option takes the one of its kind. A
// region given no density takes the model's, even from a later --density.
TEST(ConditionOptions, ConvertKeepsLoadsGravityAndRegionMaterials) {
  const std::string file =
      Converted({"--region", "1=3e10,0.2", "--pressure", "right=1e5", "--water", "1=0.5,9810", "--traction",
                 "right=0,-50", "--gravity", "0,-9.81", "--density", "2400"});
  const std::string json = RunCli({"info", file, "--json"}).out;
  EXPECT_NE(json.find("\"groups\": [{\"label\": \"corner\", \"name\": \"corner\", \"number\": 1, \"kind\": "
                      "\"nodes\", \"size\": 1}, {\"label\": \"bottom\", \"name\": \"bottom\", \"number\": 1, "
                      "\"kind\": \"edges\", \"size\": 1}, {\"label\": \"right\", \"name\": \"right\", \"number\": 2, "
                      "\"kind\": \"edges\", \"size\": 1}, {\"label\": \"plate\", \"name\": \"plate\", \"number\": 1, "
                      "\"kind\": \"region\", \"size\": 2}], "
                      "\"region_materials\": [{\"region\": \"plate\", \"E\": 3e+10, \"mu\": 0.2, \"rho\": 2400}], "
                      "\"edge_loads\": [{\"edge\": [2, 3], \"pressure\": 1e+05}, {\"edge\": [1, 2], \"water\": "
                      "{\"level\": 0.5, \"gamma\": 9810}}, {\"edge\": [2, 3], \"traction\": [0, -50]}], "
                      "\"gravity\": [0, -9.81]"),
            std::string::npos)
      << json;
  const std::string text = RunCli({"info", file}).out;
  EXPECT_NE(text.find("\nplane stress, E = 20000000000 Pa, mu = 0.167, t = 1 m, rho = 2400 kg/m3\n"
                      "group corner (nodes 1): 1 nodes\ngroup bottom (edges 1): 1 edges\n"
                      "group right (edges 2): 1 edges\ngroup plate (region 1): 2 elements\n"
                      "region plate: E = 30000000000 Pa, mu = 0.2, rho = 2400 kg/m3\n"
                      "edge loads: 1 pressure, 1 water, 1 traction\ngravity: (0, -9.81) m/s2\n"),
            std::string::npos)
      << text;
}

// The model's alpha and temperature change, a region's own change, and a
// region given without alpha (which takes the model's, even from a later
// --alpha) or with its own: convert keeps them, info names them, and solve
// --json names them with the material.
TEST(ConditionOptions, TemperatureAndAlphaReachTheFileAndTheSummaries) {
  const std::string file = Converted({"--temperature", "20", "--region", "plate=3e10,0.2", "--temperature",
                                      "plate=-35.5", "--alpha", "1.2e-5", "--support", "bottom=xy"});
  const std::string text = RunCli({"info", file}).out;
  EXPECT_NE(text.find("\nplane stress, E = 20000000000 Pa, mu = 0.167, t = 1 m, alpha = 1.2E-5 1/K\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("region plate: E = 30000000000 Pa, mu = 0.2, rho = 0 kg/m3, alpha = 1.2E-5 1/K\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\ntemperature change: 20 K\ntemperature change of region plate: -35.5 K\n"), std::string::npos)
      << text;
  const auto solved = RunCli({"solve", file, "--region", "plate=3e10,0.2,0,2e-5", "--json"});
  EXPECT_NE(solved.out.find("\"material\": {\"problem\": \"plane stress\", \"E\": 2e+10, \"mu\": 0.167, \"t\": 1, "
                            "\"rho\": 0, \"alpha\": 1.2e-05}, \"temperature\": {\"dt\": 20, \"regions\": "
                            "[{\"region\": \"plate\", \"dt\": -35.5}]}, \"displacements\""),
            std::string::npos)
      << solved.out << solved.err;
  EXPECT_NE(RunCli({"info", file, "--json"}).out.find("\"region_materials\": [{\"region\": \"plate\", \"E\": 3e+10, "
                                                      "\"mu\": 0.2, \"rho\": 0, \"alpha\": 1.2e-05}]"),
            std::string::npos);
}

// The file's material stays but for what the options replace.
TEST(ConditionOptions, MaterialOptionsReplaceOnlyWhatTheyGive) {
  const std::string file = Converted({"--plane-strain", "--E", "3e10", "--nu", "0.3", "--t", "0.5"});
  const auto r = RunCli({"solve", file, "--plane-stress", "--nu", "0.25", "--support", "bottom=xy", "--json"});
  EXPECT_NE(r.out.find("\"material\": {\"problem\": \"plane stress\", \"E\": 3e+10, \"mu\": 0.25, \"t\": 0.5, "
                       "\"rho\": 0}"),
            std::string::npos)
      << r.out << r.err;
}

// A pressure of 1000 pushing on the right edge (1 m long, t = 0.5) gives 250
// at each end, towards -x; the force on node 3 adds to it.
TEST(ConditionOptions, PressureReachesTheNodalLoads) {
  const auto r = RunCli({"solve", SquareMesh(), "--support", "bottom=xy", "--pressure", "right=1000", "--force",
                         "corner=0,-10", "--t", "0.5", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"nodal_loads\": [[2, -250, 0], [3, -250, -10]], "), std::string::npos) << r.out;
}

// Two symmetry edges meeting at node 2 hold it both ways, whichever comes
// first; their other ends keep one direction each.
TEST(ConditionOptions, SupportsOnTwoEdgesHoldTheirCornerBothWays) {
  for (const auto& flags : {std::vector<std::string>{"--support", "bottom=y", "--support", "right=x"},
                            std::vector<std::string>{"--support", "right=x", "--support", "bottom=y"}}) {
    const std::string json = ConvertedJson(flags);
    const size_t table = json.find("\"node_table\"");
    std::vector<std::string> restraints;
    for (size_t at = json.find("\"restraint\": ", table); at != std::string::npos;
         at = json.find("\"restraint\": ", at + 1))
      restraints.push_back(json.substr(at + 13, 1));
    EXPECT_EQ(restraints, (std::vector<std::string>{"1", "3", "2", "0"})) << flags[1] << " then " << flags[3];
  }
}

// A later edge load of one kind replaces an earlier one on the edges they
// share; loads of different kinds on one edge add. The right edge (nodes 2
// and 3, 1 m long, t = 1) takes half of each resultant at each end. Water
// at 0.5 m on it loads only its lower half: 1021.875 N at node 2, 204.375 N
// at node 3. Water that stays below the edge loads nothing and says so.
TEST(ConditionOptions, LaterEdgeLoadOfAKindReplacesTheEarlier) {
  struct Row {
    std::vector<std::string> flags;
    std::string loads;  // solve --json's nodal_loads
    std::string err;
  };
  const Row rows[] = {
      {{"--pressure", "right=1000", "--pressure", "right=400"}, "[[2, -200, 0], [3, -200, 0]]", ""},
      {{"--traction", "right=0,-50", "--traction", "2=10,-30"}, "[[2, 5, -15], [3, 5, -15]]", ""},
      {{"--water", "right=1,9810", "--water", "right=0.5,9810"}, "[[2, -1021.875, 0], [3, -204.375, 0]]", ""},
      {{"--water", "right=0.5,9810", "--water", "right=-0.0,9810"}, "[]",
       "水位 -0.0 不高于边组 right 的最低点，没有边受水压\n"},
      {{"--pressure", "right=1000", "--traction", "right=0,-50", "--pressure", "right=1000"},
       "[[2, -500, -25], [3, -500, -25]]", ""},
  };
  for (const Row& r : rows) {
    std::vector<std::string> args = {"solve", SquareMesh(), "--support", "bottom=xy", "--json"};
    args.insert(args.end(), r.flags.begin(), r.flags.end());
    const auto result = RunCli(args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("\"nodal_loads\": " + r.loads + ", "), std::string::npos) << r.flags[1] << result.out;
    EXPECT_EQ(result.err, r.err) << r.flags[1];
  }
}

// The value is what follows the last "=", so a group's name may hold one;
// a region's density, its third number, is its own.
TEST(ConditionOptions, GroupNamesWithEqualsAndARegionsOwnDensity) {
  const auto r = RunCli({"solve", SquareMesh("x=1"), "--support", "bottom=xy", "--pressure", "x=1=1e5", "--json"});
  EXPECT_NE(r.out.find("\"nodal_loads\": [[2, -50000, 0], [3, -50000, 0]], "), std::string::npos) << r.out << r.err;
  for (const auto& flags : {std::vector<std::string>{"--region", "plate=3e10,0.2,2600", "--density", "2400"},
                            std::vector<std::string>{"--density", "2400", "--region", "plate=3e10,0.2,2600"}}) {
    EXPECT_NE(ConvertedJson(flags).find("\"region_materials\": [{\"region\": \"plate\", \"E\": 3e+10, \"mu\": 0.2, "
                                        "\"rho\": 2600}]"),
              std::string::npos)
        << flags[0];
  }
}

// The square turned into a solid of revolution about its left side: the file
// keeps the problem type and the spin, info says them, solve gives the hoop
// stresses beside the others and export a column of them.
TEST(ConditionOptions, AxisymmetricModelThroughConvertSolveAndExport) {
  const std::string file = Converted({"--axisymmetric", "--density", "7800", "--spin", "10"});
  const std::string text = RunCli({"info", file}).out;
  EXPECT_NE(text.find("\naxisymmetric, E = 20000000000 Pa, mu = 0.167, rho = 7800 kg/m3\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nspin: 10 rad/s\n"), std::string::npos) << text;
  const auto r = RunCli({"solve", file, "--support", "bottom=y", "--json"});
  EXPECT_NE(r.out.find("\"material\": {\"problem\": \"axisymmetric\", \"E\": 2e+10, \"mu\": 0.167, \"rho\": 7800}"),
            std::string::npos)
      << r.out << r.err;
  EXPECT_NE(r.out.find("], \"hoop_stresses\": ["), std::string::npos) << r.out;
  const std::string samples = TempPath("ring-line.csv");
  ASSERT_EQ(RunCli({"line", file, "--support", "bottom=y", "--from", "0,0.5", "--to", "1,0.5", "--component", "stheta",
                    "-o", samples})
                .status,
            0);
  std::ifstream line(samples);
  std::string first;
  std::getline(line, first);
  EXPECT_EQ(first, "s,r,z,element,stheta_element,stheta_averaged\r");
  // The element table's columns; a plane model's have no hoop stress.
  const auto header = [](const std::string& model, const std::string& support) {
    const std::string csv = TempPath("ring.csv");
    EXPECT_EQ(RunCli({"export", model, "--support", support, "-o", csv}).status, 0);
    std::ifstream elements(TempPath("ring_elements.csv"));
    std::string line;
    std::getline(elements, line);
    return line;
  };
  const std::string plane = "element,node1,node2,node3,sigma_x,sigma_y,tau_xy,sigma_1,sigma_2,tau_max,von_mises,error";
  EXPECT_EQ(header(file, "bottom=y"), plane + ",sigma_theta\r");
  EXPECT_EQ(header(SquareMesh(), "bottom=xy"), plane + "\r");
}

}  // namespace
}  // namespace trivane
