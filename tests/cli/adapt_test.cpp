// trivane-cli adapt with the real Gmsh library: its refusals, and a few
// rounds on a coarse plate with a hole.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "io/model_file.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::RunCli;
using testing::TempPath;

const std::string Plate = testing::SourcePath("examples/plate-with-hole.geo");
const std::string Bracket = testing::SourcePath("examples/bracket.geo");
const std::vector<std::string> PlateUnderTension = {"--support", "left=x", "--support", "bottom=y",
                                                    "--traction", "right=1e6,0", "--t", "0.01"};

struct FailureRow {
  const char* name;
  std::vector<std::string> args;  // after "adapt"; the output is added
  int status;
  std::string err;  // the start of what is printed on stderr
};

class AdaptFailure : public ::testing::TestWithParam<FailureRow> {};

// Nothing is written, and a refusal before the first mesh prints no round.
TEST_P(AdaptFailure, SaysWhyAndWritesNothing) {
  const std::string out = TempPath(std::string(GetParam().name) + ".trv");
  std::vector<std::string> args = {"adapt", "-o", out};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const auto r = RunCli(args);
  EXPECT_EQ(r.status, GetParam().status);
  EXPECT_EQ(r.err.substr(0, GetParam().err.size()), GetParam().err) << r.err;
  EXPECT_FALSE(std::filesystem::exists(out));
  if (GetParam().err.find("第 ") != 0) {
    EXPECT_EQ(r.out, "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AdaptFailure,
    ::testing::Values(
        FailureRow{"UnknownGroup", {Bracket, "--support", "wall=xy", "--traction", "tip=0,-1"}, 1,
                   "--traction tip=0,-1: 没有名为 'tip' 的组\n"},
        FailureRow{"RegionAsEdges", {Bracket, "--support", "wall=xy", "--pressure", "bracket=1"}, 1,
                   "--pressure bracket=1: 组 bracket 是区域，这里需要边组\n"},
        FailureRow{"Solid", {testing::DataPath("gmsh/cube.geo")}, 1, "几何是三维的"},
        FailureRow{"GmshCannotMesh", {testing::DataPath("gmsh/collinear.geo")}, 1,
                   "第 1 轮失败：划分网格失败：Unable to recover the edge"},
        FailureRow{"NoSupport", {Bracket, "--traction", "end=0,-1"}, 1, "第 1 轮失败：Singular matrix.\n"},
        FailureRow{"FirstMeshOverTheLimit", {Bracket, "--support", "wall=xy", "--max-nodes", "50"}, 1,
                   "第 1 轮失败：网格的结点数超出上限 50\n"},
        FailureRow{"TargetZero", {Bracket, "--target", "0"}, 1, "目标误差 0% 必须大于 0 且小于 100\n"},
        FailureRow{"TargetNotANumber", {Bracket, "--target", "5%"}, 1, "'5%' is not a valid floating point value\n"},
        FailureRow{"NodeLimitTooLarge", {Bracket, "--max-nodes", "100000"}, 1, "结点数上限 100000 必须在 3 到 99999 之间\n"},
        FailureRow{"NoSteps", {Bracket, "--steps", "0"}, 1, "轮数 0 必须在 1 到 100 之间\n"},
        FailureRow{"PeakTargetHundred", {Bracket, "--peak-target", "100"}, 1, "峰值目标 100% 必须大于 0 且小于 100\n"},
        FailureRow{"OrderZero", {Bracket, "--order", "0"}, 1, "单元阶次 0 无效"},
        // 282 nodes in 3-node triangles, 1066 with the mid-side nodes.
        FailureRow{"SixNodeFirstMeshOverTheLimit", {Plate, "--order", "2", "--max-nodes", "1000"}, 1,
                   "第 1 轮失败：网格的结点数超出上限 1000\n"},
        FailureRow{"UnknownRecovery", {Bracket, "--recovery", "mean"}, 2,
                   "trivane-cli adapt: --recovery is one of patch, average, not \"mean\""}),
    [](const auto& info) { return info.param.name; });

double Number(const std::string& text, const std::string& key, std::size_t from = 0) {
  const std::size_t at = text.find("\"" + key + "\": ", from);
  return at == std::string::npos ? -1.0 : std::stod(text.substr(at + key.size() + 4));
}

// A few rounds from a coarse first mesh to a 3 % target: the error falls
// every round, the report says why the loop stopped, and the file holds the
// last mesh with the conditions put on it.
TEST(Adapt, RefinesUntilTheTargetIsMet) {
  const std::string out = TempPath("plate-adapted.trv");
  std::vector<std::string> args = {"adapt", Plate, "-o", out, "--size", "2", "--target", "3", "--json",
                                   "--max-nodes", "99999"};
  args.insert(args.end(), PlateUnderTension.begin(), PlateUnderTension.end());
  const auto r = RunCli(args);
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.out.rfind("{\"rounds\": [{\"nodes\": ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("], \"stopped\": \"target\"}\n"), std::string::npos) << r.out;

  std::vector<double> errors, nodes;
  for (std::size_t at = r.out.find("{\"nodes\""); at != std::string::npos; at = r.out.find("{\"nodes\"", at + 1)) {
    nodes.push_back(Number(r.out, "nodes", at));
    errors.push_back(Number(r.out, "error_percent", at));
    EXPECT_GT(Number(r.out, "max_mises", at), 2e6);
    // The recovered peak stands at the top of the hole, (0, 2).
    EXPECT_GT(Number(r.out, "peak_mises", at), 3e6);
    EXPECT_NE(r.out.find("\"peak_at\": [0, 2]", at), std::string::npos) << r.out;
    EXPECT_GE(Number(r.out, "seconds", at), 0.0);
  }
  ASSERT_GE(errors.size(), 2u) << r.out;
  for (std::size_t k = 0; k + 1 < errors.size(); ++k) {
    EXPECT_GT(errors[k], 3.0);
    EXPECT_LT(errors[k + 1], errors[k]);
  }
  EXPECT_LE(errors.back(), 3.0);

  const Model model = LoadModelFile(out);
  EXPECT_EQ(model.nodeCount, nodes.back());
  EXPECT_FALSE(model.conditions.edgeLoads.empty());
  EXPECT_EQ(model.entered.t, 0.01);
  int32_t fixedX = 0;
  for (int32_t i = 1; i <= model.nodeCount; ++i) fixedX += model.nodes[i].x == 0.0 && model.nodes[i].restraint == FixedX;
  EXPECT_GT(fixedX, 2);
}

// Two rounds at most, told as a table, and the .vtu of the last one.
TEST(Adapt, StopsAfterTheStepsAndWritesTheResults) {
  const std::string out = TempPath("plate-adapted.vtu");
  std::vector<std::string> args = {"adapt", Plate, "-o", out, "--size", "2", "--target", "0.5", "--steps", "2"};
  args.insert(args.end(), PlateUnderTension.begin(), PlateUnderTension.end());
  const auto r = RunCli(args);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::regex report(
      " round +nodes +elements +error \\(%\\) +max mises \\(Pa\\) +peak \\(Pa\\) +at x +at y +time \\(s\\)\n"
      "( +1( +[0-9.e+]+){8}\n)( +2( +[0-9.e+]+){8}\n)"
      "stopped: steps \\(after 2 rounds the error [0-9.]+ % is still above 0.5 %\\)\n" +
      out + ": [0-9]+ nodes, [0-9]+ elements\n");
  EXPECT_TRUE(std::regex_match(r.out, report)) << r.out;
  const std::string vtu = testing::FileText(out);
  EXPECT_NE(vtu.find("Name=\"error\""), std::string::npos);
}

// Second order: every round meshes six-node triangles and the last is written so.
TEST(Adapt, OrderTwoMeshesEveryRoundSecondOrder) {
  const std::string out = TempPath("plate-order2.trv");
  std::vector<std::string> args = {"adapt", Plate, "-o", out, "--size", "2", "--order", "2", "--target", "0.01",
                                   "--steps", "2", "--json"};
  args.insert(args.end(), PlateUnderTension.begin(), PlateUnderTension.end());
  const auto r = RunCli(args);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::size_t second = r.out.rfind("{\"nodes\"");
  const double first = Number(r.out, "nodes"), last = Number(r.out, "nodes", second);
  EXPECT_GT(last, first);
  const Model model = LoadModelFile(out);
  EXPECT_EQ(model.elementOrder, 2);
  EXPECT_EQ(model.nodeCount, last);
}

// A target out of reach within the budget: the mesh scaled to the budget is
// made (within 90 % of it), solved and reported, and the loop stops there.
TEST(Adapt, SpendsTheNodeBudgetAndStops) {
  const std::string out = TempPath("plate-budget.trv");
  std::vector<std::string> args = {"adapt", Plate, "-o", out, "--size", "2", "--target", "0.2", "--max-nodes", "3000",
                                   "--json"};
  args.insert(args.end(), PlateUnderTension.begin(), PlateUnderTension.end());
  const auto r = RunCli(args);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"stopped\": \"max-nodes\""), std::string::npos) << r.out;
  const double last = Number(r.out, "nodes", r.out.rfind("{\"nodes\""));
  EXPECT_GE(last, 2700) << r.out;
  EXPECT_LE(last, 3000) << r.out;
  EXPECT_EQ(LoadModelFile(out).nodeCount, last);
}

}  // namespace
}  // namespace trivane
