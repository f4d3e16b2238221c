// trivane-cli info and convert, run as a user runs them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/cli_runner.h"
#include "io/files.h"
#include "io/problem_file.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::DataPath;
using testing::RunCli;
using testing::TempPath;

std::string WriteSmallProblem() {
  Model m;
  m.nodeCount = 3;
  m.nodes[1] = Node{0.0, 0.0, FixedXY, 2, 0.0, 0.0};
  m.nodes[2] = Node{0.1, -0.0, 0, 0, 1000.0, 270.0};
  m.nodes[3] = Node{2.0, 1e-7, 0, 0, 0.0, 0.0};
  m.elementCount = 1;
  m.elements[1] = Element{1, 2, 3};
  const std::string path = TempPath("small.trv");
  SaveProblemFile(path, m);
  return path;
}

TEST(Info, JsonHoldsTheWholeModel) {
  const auto r = RunCli({"info", WriteSmallProblem(), "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "{\"nodes\": 3, \"elements\": 1, \"bounds\": {\"xmin\": 0, \"xmax\": 2, \"ymin\": 0, \"ymax\": 1e-07}, "
            "\"material\": {\"problem\": \"plane stress\", \"E\": 2e+10, \"mu\": 0.167, \"t\": 1, \"rho\": 0}, "
            "\"groups\": [], \"region_materials\": [], \"edge_loads\": [], \"gravity\": [0, 0], "
            "\"node_table\": [{\"x\": 0, \"y\": 0, \"load\": 0, \"loadAngle\": 0, \"restraint\": 3, \"orientation\": 2}, "
            "{\"x\": 0.1, \"y\": -0, \"load\": 1000, \"loadAngle\": 270, \"restraint\": 0, \"orientation\": 0}, "
            "{\"x\": 2, \"y\": 1e-07, \"load\": 0, \"loadAngle\": 0, \"restraint\": 0, \"orientation\": 0}], "
            "\"element_table\": [[1, 2, 3]]}\n");
  EXPECT_EQ(r.err, "");
}

TEST(Info, SummaryNamesTheCountsAndTables) {
  const auto r = RunCli({"info", DataPath("assimp_ThreeCubesGreen.ASE")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("nodes: 24, elements: 36"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("x from -300 to 0, y from -130.7479 to 326.7313"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("      36     21     23     19"), std::string::npos) << r.out;
}

struct FailureRow {
  const char* name;
  std::vector<std::string> args;
  int status;
  std::string err;  // the start of what is printed on stderr
};

class CliFailure : public ::testing::TestWithParam<FailureRow> {};

TEST_P(CliFailure, ExitsWithItsStatusAndMessage) {
  const FailureRow& row = GetParam();
  const testing::CliResult r = RunCli(row.args);
  EXPECT_EQ(r.status, row.status);
  EXPECT_EQ(r.err.substr(0, row.err.size()), row.err);
  EXPECT_EQ(r.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliFailure,
    ::testing::Values(
        FailureRow{"NoCommand", {}, 2, "usage:"},
        FailureRow{"UnknownCommand", {"draw"}, 2, "trivane-cli: unknown command draw"},
        FailureRow{"InfoWithoutFile", {"info"}, 2, "trivane-cli info: missing argument\nusage: trivane-cli info FILE"},
        FailureRow{"UnknownOption", {"info", "a.trv", "--xml"}, 2, "trivane-cli info: unknown option --xml"},
        FailureRow{"ConvertWithoutOutput", {"convert", "a.trv"}, 2, "trivane-cli convert: missing -o"},
        FailureRow{"ConvertToAnotherFormat", {"convert", "a.ase", "-o", "a.ase"}, 2,
                   "trivane-cli convert: the output must be a .trv file"},
        FailureRow{"OverCapacity", {"info", DataPath("over-limit.trv")}, 1, DataPath("over-limit.trv") + ":1: 结点数 100000 超出上限 99999\n"},
        FailureRow{"OtherLayout", {"info", DataPath("unv_station15_tree01a.ase")}, 1, "文件中没有网格\n"},
        FailureRow{"MissingFile", {"info", "/nonexistent/m.trv"}, 1,
                   "Cannot open file \"/nonexistent/m.trv\". No such file or directory\n"},
        FailureRow{"NotAModelFile", {"info", DataPath("SOURCES.md")}, 1, "文件 \""}),
    [](const auto& info) { return info.param.name; });

TEST(Info, ErrorOnALineNamesTheFileAndLine) {
  const std::string path = TempPath("broken.trv");
  std::ofstream(path, std::ios::binary) << "1\r\n0\r\n 1.0x\r\n";
  const auto r = RunCli({"info", path});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, path + ":3: ' 1.0x' is not a valid floating point value\n");
}

// A corner that names no node is refused when the file is read, by every
// command that reads it, not only by the analysis.
TEST(Info, ElementCornerThatIsNoNodeIsRefused) {
  const std::string path = TempPath("stray.trv"), zero = std::string(22, ' ') + "0";
  std::ofstream(path, std::ios::binary) << "1\r\n1\r\n" << zero << zero << zero << zero << "00\r\n    1    1    2\r\n";
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"info", path}, {"render", path, "-o", TempPath("stray.png")}}) {
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_EQ(r.err, path + ":4: 单元 1 的结点号 2 不存在\n") << args[0];
  }
}

TEST(Convert, MeshBecomesAProblemFileThatReadsTheSame) {
  const std::string out = TempPath("cubes.trv");
  std::filesystem::remove(out);
  const auto r = RunCli({"convert", DataPath("assimp_ThreeCubesGreen.ASE"), "-o", out});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto original = RunCli({"info", DataPath("assimp_ThreeCubesGreen.ASE"), "--json"});
  const auto converted = RunCli({"info", out, "--json"});
  EXPECT_EQ(converted.out, original.out);
  EXPECT_EQ(ReadFileBytes(out).substr(0, 8), "24\r\n36\r\n");
}

TEST(Convert, RefusedInputLeavesAnExistingOutputAlone) {
  const std::string out = TempPath("keep.trv");
  std::ofstream(out, std::ios::binary) << "precious";
  const auto r = RunCli({"convert", DataPath("unv_station15_mundo_tree.ase"), "-o", out});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(ReadFileBytes(out), "precious");
}

}  // namespace
}  // namespace trivane
