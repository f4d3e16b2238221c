// trivane-cli's commands when their output cannot be written: the message
// naming the output, exit status 1, and nothing half-written left behind;
// export and adapt say so before they compute.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "io/problem_file.h"

namespace trivane {
namespace {

namespace fs = std::filesystem;
using testing::CliResult;
using testing::FileText;
using testing::ShellQuoted;

// A 6 x 5 grid of nodes held at its left edge and loaded at its right: big
// enough that its problem file and its pictures exceed the write limit below.
Model Grid() {
  Model m;
  constexpr int Columns = 6;
  constexpr int Rows = 5;
  for (int r = 0; r < Rows; ++r) {
    for (int c = 0; c < Columns; ++c) {
      Node& node = m.nodes[++m.nodeCount];
      node.x = 0.5 * c;
      node.y = 0.5 * r;
      if (c == 0) node.restraint = FixedXY;
      if (c == Columns - 1) {
        node.load = -250.0;
        node.loadAngle = 90.0;
      }
    }
  }
  for (int r = 0; r + 1 < Rows; ++r) {
    for (int c = 0; c + 1 < Columns; ++c) {
      const int a = r * Columns + c + 1;
      m.elements[++m.elementCount] = {a, a + 1, a + Columns + 1};
      m.elements[++m.elementCount] = {a, a + Columns + 1, a + Columns};
    }
  }
  UpdateBounds(m);
  return m;
}

// The grid free to move: its compute fails, so a command that reports its
// output instead checked the output first.
Model FreeGrid() {
  Model m = Grid();
  for (int32_t k = 1; k <= m.nodeCount; ++k) m.nodes[k].restraint = Free;
  return m;
}

enum class Fault { MissingFolder, FolderInTheWay, FullDevice, WriteLimit };

struct Row {
  const char* name;
  std::vector<std::string> command;  // the output name is appended after "-o"
  const char* output;
  Fault fault;
  const char* reason;             // what the message says after "无法写入 OUTPUT："
  const char* named = nullptr;    // the file it names, when not the output
};

class WriteFailure : public ::testing::TestWithParam<Row> {
 protected:
  void SetUp() override {
    folder_ = fs::path(::testing::TempDir()) /
              ("trivane-write-failure-" + std::to_string(::getpid()) + "-" + GetParam().name);
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    std::ofstream(In("grid.trv"), std::ios::binary) << WriteProblem(Grid());
    std::ofstream(In("free.trv"), std::ios::binary) << WriteProblem(FreeGrid());
    std::ofstream(In("free.geo"), std::ios::binary)
        << "Point(1) = {0, 0, 0, 0.5}; Point(2) = {2, 0, 0, 0.5}; Point(3) = {2, 1, 0, 0.5};\n"
           "Line(1) = {1, 2}; Line(2) = {2, 3}; Line(3) = {3, 1};\n"
           "Curve Loop(1) = {1, 2, 3}; Plane Surface(1) = {1}; Physical Surface(\"plate\") = {1};\n";
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string In(const std::string& name) const { return (folder_ / name).string(); }

  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
      names.insert(entry.path().lexically_relative(folder_).string());
    }
    return names;
  }

  // Runs trivane-cli in the test folder. With a limit, no file may grow past
  // it, as on a full disk; the limit's signal is ignored so that the write
  // fails with an error number instead of ending the program.
  CliResult Run(const std::vector<std::string>& args, bool limited) const {
    std::string command = "cd " + ShellQuoted(folder_.string()) + " && ";
    if (limited) command += "trap '' XFSZ && ulimit -f 1 && ";
    command += ShellQuoted(TRIVANE_CLI);
    for (const std::string& arg : args) command.append(" ").append(ShellQuoted(arg));
    const std::string out = folder_.string() + ".out";
    const std::string err = folder_.string() + ".err";
    command.append(" >").append(ShellQuoted(out)).append(" 2>").append(ShellQuoted(err)).append(" </dev/null");
    const int raw = std::system(command.c_str());
    CliResult result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, FileText(out), FileText(err)};
    fs::remove(out);
    fs::remove(err);
    return result;
  }

  fs::path folder_;
};

TEST_P(WriteFailure, ReportsTheFaultAndLeavesNoPartialOutput) {
  const Row& row = GetParam();
  const std::string previous = "the previous output, to be kept as it is";
  std::string output = row.output;
  switch (row.fault) {
    case Fault::MissingFolder:
      output = "missing/" + output;
      break;
    case Fault::FolderInTheWay:
      fs::create_directory(In(output));
      break;
    case Fault::FullDevice:
      if (::mknod(In(output).c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "making device nodes needs root";
      }
      break;
    case Fault::WriteLimit:
      std::ofstream(In(output), std::ios::binary) << previous;
      fs::permissions(In(output), fs::perms(0604));
      break;
  }
  const std::set<std::string> before = Names();

  std::vector<std::string> args = row.command;
  args.insert(args.end(), {"-o", output});
  const CliResult result = Run(args, row.fault == Fault::WriteLimit);

  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_EQ(result.err, "无法写入 " + (row.named ? row.named : output) + "：" + row.reason + "\n");
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(Names(), before);
  switch (row.fault) {
    case Fault::FolderInTheWay:
      EXPECT_TRUE(fs::is_empty(In(output)));
      break;
    case Fault::FullDevice:
      EXPECT_TRUE(fs::is_character_file(In(output)));
      break;
    case Fault::WriteLimit:
      EXPECT_EQ(FileText(In(output)), previous);
      EXPECT_EQ(fs::status(In(output)).permissions(), fs::perms(0604));
      break;
    case Fault::MissingFolder:
      break;
  }
}

const std::vector<std::string> Convert = {"convert", "grid.trv"};
const std::vector<std::string> RenderModel = {"render", "grid.trv"};
const std::vector<std::string> RenderDeformed = {"render", "grid.trv", "--plot", "deformed"};
const std::vector<std::string> Export = {"export", "grid.trv"};
const std::vector<std::string> ExportFree = {"export", "free.trv"};
const std::vector<std::string> AdaptFree = {"adapt", "free.geo"};

INSTANTIATE_TEST_SUITE_P(
    Rows, WriteFailure,
    ::testing::Values(Row{"ConvertIntoMissingFolder", Convert, "out.trv", Fault::MissingFolder, "文件夹不存在"},
                      Row{"ConvertOntoFolder", Convert, "out.trv", Fault::FolderInTheWay, "这是一个文件夹"},
                      Row{"ConvertOntoFullDevice", Convert, "out.trv", Fault::FullDevice, "磁盘已满"},
                      Row{"ConvertOverLimit", Convert, "out.trv", Fault::WriteLimit, "文件超出允许的大小"},
                      Row{"RenderIntoMissingFolder", RenderModel, "out.png", Fault::MissingFolder, "文件夹不存在"},
                      Row{"RenderOntoFolder", RenderModel, "out.png", Fault::FolderInTheWay, "这是一个文件夹"},
                      Row{"RenderOntoFullDevice", RenderDeformed, "out.png", Fault::FullDevice, "磁盘已满"},
                      Row{"RenderOverLimit", RenderDeformed, "out.png", Fault::WriteLimit, "文件超出允许的大小"},
                      Row{"ExportVtuIntoMissingFolder", ExportFree, "out.vtu", Fault::MissingFolder, "文件夹不存在"},
                      Row{"ExportVtuOntoFolder", ExportFree, "out.vtu", Fault::FolderInTheWay, "这是一个文件夹"},
                      Row{"ExportVtuOverLimit", Export, "out.vtu", Fault::WriteLimit, "文件超出允许的大小"},
                      Row{"ExportCsvIntoMissingFolder", ExportFree, "out.csv", Fault::MissingFolder, "文件夹不存在"},
                      Row{"ExportCsvOntoFolder", ExportFree, "out.csv", Fault::FolderInTheWay, "这是一个文件夹"},
                      Row{"ExportCsvOverLimit", Export, "out.csv", Fault::WriteLimit, "文件超出允许的大小",
                          "out_elements.csv"},
                      Row{"AdaptIntoMissingFolder", AdaptFree, "out.vtu", Fault::MissingFolder, "文件夹不存在"},
                      Row{"AdaptOntoFolder", AdaptFree, "out.trv", Fault::FolderInTheWay, "这是一个文件夹"}),
    [](const auto& info) { return std::string(info.param.name); });

// The two tables of a CSV export are written both or neither: with the element
// table's name taken by a folder, the node table is not written either and
// the one there before stays.
TEST(CsvExport, WritesBothTablesOrNeither) {
  const fs::path folder = fs::path(::testing::TempDir()) / ("trivane-csv-pair-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder / "out_elements.csv");
  const std::string model = (folder / "grid.trv").string();
  std::ofstream(model, std::ios::binary) << WriteProblem(Grid());
  std::ofstream((folder / "out.csv").string(), std::ios::binary) << "old";
  // Both tables are checked before the compute, which fails for a free model.
  std::ofstream((folder / "free.trv").string(), std::ios::binary) << WriteProblem(FreeGrid());
  const CliResult failed = testing::RunCli({"export", (folder / "free.trv").string(), "-o", (folder / "out.csv").string()});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.err, "无法写入 " + (folder / "out_elements.csv").string() + "：这是一个文件夹\n");
  EXPECT_EQ(FileText((folder / "out.csv").string()), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 4);

  fs::remove(folder / "out_elements.csv");
  EXPECT_EQ(testing::RunCli({"export", model, "-o", (folder / "out.csv").string()}).status, 0);
  EXPECT_EQ(FileText((folder / "out.csv").string()).substr(0, 20), "node,x,y,u,v,Rx,Ry,s");
  EXPECT_TRUE(fs::is_regular_file(folder / "out_elements.csv"));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace trivane
