// trivane-cli solve, run as a user runs it.
#include <gtest/gtest.h>

#include <cstdlib>
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
      "{\"nodes\": 3, \"elements\": 1, \"material\": {\"E\": 1, \"mu\": 0.25, \"t\": 1}, "
      "\"displacements\": [[0, 0], [";
  EXPECT_EQ(r.out.rfind(head, 0), 0u) << r.out;
  EXPECT_NE(r.out.find("], [0, 2]], \"stresses\": [["), std::string::npos) << r.out;
  EXPECT_EQ(r.out.back(), '\n');
  EXPECT_EQ(r.out.find('\n'), r.out.size() - 1);  // one object, one line
}

TEST(Solve, PlaneStrainConvertsTheMaterial) {
  const auto r = RunCli({"solve", WriteTriangle(), "--plane-strain", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string material = "\"material\": {\"E\": " + FormatShortest(2e10 / (1.0 - 0.167 * 0.167)) +
                               ", \"mu\": " + FormatShortest(0.167 / (1.0 - 0.167)) + ", \"t\": 1}";
  EXPECT_NE(r.out.find(material), std::string::npos) << r.out;
}

TEST(Solve, TablesWithUnits) {
  const auto r = RunCli({"solve", Example("cantilever.trv"), "--t", "0.5"});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* text : {"t = 0.5 m", "u (m)", "v (m)", "sx (Pa)", "tmax (Pa)"})
    EXPECT_NE(r.out.find(text), std::string::npos) << text;
}

TEST(Solve, EveryExampleSolves) {
  for (const char* name : {"cantilever.trv", "plate-with-hole.trv", "cook-membrane.trv"}) {
    const auto r = RunCli({"solve", Example(name), "--json"});
    EXPECT_EQ(r.status, 0) << name << ": " << r.err;
    EXPECT_EQ(r.out.find("null"), std::string::npos) << name;
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
  EXPECT_EQ(r.err, "Singular matrix.\n");
}

}  // namespace
}  // namespace trivane
