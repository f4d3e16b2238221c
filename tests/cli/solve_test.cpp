// trivane-cli solve, run as a user runs it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "support/tolerance.h"
#include "cli/cli_runner.h"
#include "io/number_text.h"
#include "io/problem_file.h"

namespace trivane {
namespace {

using testing::RunCli;

// The single triangle with three kinds of support and a load of 1 at 90
// degrees on node 3: u = (0, 0, -0.5, 0, 0, 2) with E = 1, mu = 0.25.
std::string WriteTriangle() {
  Model m;
  m.nodeCount = 3;
  m.nodes[1] = Node{0.0, 0.0, FixedXY, 0, 0.0, 0.0};
  m.nodes[2] = Node{1.0, 0.0, FixedY, 1, 0.0, 0.0};
  m.nodes[3] = Node{0.0, 1.0, FixedX, 0, 1.0, 90.0};
  m.elementCount = 1;
  m.elements[1] = Element{1, 2, 3};
  const std::string path = testing::TempPath("triangle.trv");
  SaveProblemFile(path, m);
  return path;
}

std::string Example(const std::string& name) {
  return testing::SourcePath("examples/" + name);
}

TEST(Solve, JsonHoldsMaterialDisplacementsAndStresses) {
  const auto r = RunCli({"solve", WriteTriangle(), "--E", "1", "--nu", "0.25", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string head =
      "{\"nodes\": 3, \"elements\": 1, \"material\": {\"problem\": \"plane stress\", \"E\": 1, \"mu\": 0.25, \"t\": 1, "
      "\"rho\": 0}, "
      "\"displacements\": [[0, 0], [";
  EXPECT_EQ(r.out.rfind(head, 0), 0u) << r.out;
  EXPECT_NE(r.out.find("], [0, 2]], \"stresses\": [["), std::string::npos) << r.out;
  EXPECT_EQ(r.out.back(), '\n');
  EXPECT_EQ(r.out.find('\n'), r.out.size() - 1);  // one object, one line
}

// Every restrained node, in node order; a free direction is null.
TEST(Solve, JsonHoldsReactionsMisesAndTheEquilibriumSums) {
  const auto r = RunCli({"solve", WriteTriangle(), "--E", "1", "--nu", "0.25", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* text : {"\"reactions\": [[1, ", "], [2, null, ", "], [3, ", ", null]], \"mises\": [",
                           "\"equilibrium\": {\"sum_rx\": ", ", \"sum_fy\": 1}, ",
                           // One element: the averages are its own stresses, so no error.
                           "\"error\": {\"percent\": 0, \"elements\": [0]}}"})
    EXPECT_NE(r.out.find(text), std::string::npos) << text << " in " << r.out;
}

// The material is reported as entered, with its problem type, not as the
// plane-strain constants the element formulas take.
TEST(Solve, ReportsTheMaterialAsEntered) {
  const auto json = RunCli({"solve", WriteTriangle(), "--plane-strain", "--nu", "0.3", "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_NE(json.out.find("\"material\": {\"problem\": \"plane strain\", \"E\": 2e+10, \"mu\": 0.3, \"t\": 1, "
                          "\"rho\": 0}"),
            std::string::npos)
      << json.out;
  const auto text = RunCli({"solve", WriteTriangle(), "--plane-strain", "--nu", "0.3"});
  EXPECT_NE(text.out.find("\nplane strain, E = 20000000000 Pa, mu = 0.3, t = 1 m\n"), std::string::npos) << text.out;
}

// The example plate's estimate by patch recovery, and by the area-weighted
// means that --recovery average keeps; any other name is refused.
TEST(Solve, RecoveryChoosesTheNodalStressesOfTheEstimate) {
  for (const auto& [flag, percent] : {std::pair{"patch", "4.7473"}, {"average", "4.6723"}}) {
    const auto r = RunCli({"solve", Example("plate-with-hole.trv"), "--recovery", flag, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(std::string("\"error\": {\"percent\": ") + percent), std::string::npos) << flag;
  }
  const auto bad = RunCli({"solve", Example("plate-with-hole.trv"), "--recovery", "spr"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("--recovery is one of patch, average, not \"spr\""), std::string::npos) << bad.err;
}

TEST(Solve, TablesWithUnits) {
  const auto r = RunCli({"solve", Example("cantilever.trv"), "--t", "0.5"});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* text : {"t = 0.5 m", "u (m)", "v (m)", "sx (Pa)", "tmax (Pa)", "mises (Pa)", "Rx (N)",
                           "sum Rx = ", "sum R + sum F = (", "estimated error = "})
    EXPECT_NE(r.out.find(text), std::string::npos) << text;
}

TEST(Solve, EveryExampleSolves) {
  for (const char* name : {"cantilever.trv", "plate-with-hole.trv", "cook-membrane.trv"}) {
    const auto r = RunCli({"solve", Example(name), "--json"});
    EXPECT_EQ(r.status, 0) << name << ": " << r.err;
    // null stands only for a free direction of a support, never for a value.
    const size_t reactions = r.out.find("\"reactions\"");
    const size_t mises = r.out.find("\"mises\"");
    ASSERT_LT(reactions, mises);
    EXPECT_EQ(r.out.substr(0, reactions).find("null"), std::string::npos) << name;
    EXPECT_EQ(r.out.substr(mises).find("null"), std::string::npos) << name;
  }
}

struct FailureCase {
  const char* name;
  std::vector<std::string> extra;
  int status;
  const char* message;
};

class SolveFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SolveFailure, ExitsWithItsStatusAndMessage) {
  const FailureCase& c = GetParam();
  std::vector<std::string> args = {"solve", WriteTriangle()};
  args.insert(args.end(), c.extra.begin(), c.extra.end());
  const auto r = RunCli(args);
  EXPECT_EQ(r.status, c.status);
  EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty()) << r.out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SolveFailure,
    ::testing::Values(FailureCase{"BadModulus", {"--E", "2e1x"}, 1, "'2e1x' is not a valid floating point value"},
                      FailureCase{"PoissonOne", {"--nu", "1"}, 1, "材料参数无效：平面应力的泊松比μ不能大于0.5"},
                      FailureCase{"PlaneStrainPoissonHalf", {"--nu", "0.5", "--plane-strain"}, 1,
                                  "材料参数无效：平面应变的泊松比μ必须小于0.5"},
                      FailureCase{"ZeroModulus", {"--E", "0"}, 1, "材料参数无效：弹性模量E必须大于0"},
                      FailureCase{"NegativeThickness", {"--t", "-1"}, 1, "材料参数无效：厚度t必须大于0"},
                      FailureCase{"UnknownFlag", {"--mu", "0.3"}, 2, "--mu"}),
    [](const auto& info) { return std::string(info.param.name); });

// An export that fails writes nothing and keeps the file that was there.
TEST(Export, RefusesOtherFormatsAndKeepsTheOldFileWhenTheComputeFails) {
  const std::string old = testing::TempPath("kept.vtu");
  { std::ofstream(old, std::ios::binary) << "old"; }
  const auto refused = RunCli({"export", WriteTriangle(), "-o", testing::TempPath("out.vtk")});
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("-o names a .vtu or a .csv file"), std::string::npos) << refused.err;
  const auto singular = RunCli({"export", WriteTriangle(), "--nu", "0.5", "--plane-strain", "-o", old, "--solver",
                                "gauss-jordan", "--E", "0"});
  EXPECT_EQ(singular.status, 1);
  EXPECT_EQ(testing::FileText(old), "old");
}

TEST(Export, ExtensionInCapitalsStillNamesTheFormat) {
  const std::string out = testing::TempPath("capitals.VTU");
  const auto r = RunCli({"export", WriteTriangle(), "-o", out});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(testing::FileText(out).rfind("<?xml", 0), 0u);
}

TEST(Solve, FreeModelIsSingular) {
  const std::string path = testing::TempPath("free.trv");
  Model m;
  m.nodeCount = 3;
  m.nodes[2] = Node{1.0, 0.0, 0, 0, 5.0, 0.0};
  m.nodes[3] = Node{0.0, 1.0, 0, 0, 0.0, 0.0};
  m.elementCount = 1;
  m.elements[1] = Element{1, 2, 3};
  SaveProblemFile(path, m);
  const auto r = RunCli({"solve", path});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Singular matrix.\n结点 1 所在的部分没有任何约束\n");
}

}  // namespace
}  // namespace trivane
