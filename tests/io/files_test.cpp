#include "io/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <set>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include "model/errors.h"

namespace trivane {
namespace {

namespace fs = std::filesystem;

class Folder : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("trivane-files-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.insert(entry.path().filename().string());
    return names;
  }
  void Put(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }

  fs::path dir_;
};

TEST_F(Folder, ReadsAllBytesUnchanged) {
  const std::string bytes = std::string("a\r\nb\0c\rd\n", 9) + std::string(200000, 'x');
  Put("f.trv", bytes);
  EXPECT_EQ(ReadFileBytes(Path("f.trv")), bytes);
}

TEST_F(Folder, FileThatCannotBeOpenedNamesItAndTheReason) {
  const std::string missing = Path("missing.trv");
  try {
    ReadFileBytes(missing);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + missing + "\". No such file or directory");
  }
  EXPECT_THROW(ReadFileBytes(dir_.string()), Error);  // a folder
}

// A save that crashed under a process id now reused left its temporary files;
// the next save steps past them and leaves them alone.
TEST_F(Folder, TemporaryFilesOfACrashedSaveDoNotBlockTheNext) {
  const std::string stale = "model.trv.~" + std::to_string(::getpid()) + "-";
  Put(stale + "0", "left by a crash");
  Put(stale + "1", "left by a crash");
  WriteFileAtomically(Path("model.trv"), "new");
  EXPECT_EQ(ReadFileBytes(Path("model.trv")), "new");
  EXPECT_EQ(ReadFileBytes(Path(stale + "0")), "left by a crash");
  EXPECT_EQ(Names(), (std::set<std::string>{"model.trv", stale + "0", stale + "1"}));
}

TEST_F(Folder, WriteReplacesTheFileAndLeavesNothingElse) {
  Put("model.trv", "old contents that are longer");
  WriteFileAtomically(Path("model.trv"), "new");
  EXPECT_EQ(ReadFileBytes(Path("model.trv")), "new");
  WriteFileAtomically(Path("fresh.trv"), "");
  EXPECT_EQ(ReadFileBytes(Path("fresh.trv")), "");
  EXPECT_EQ(Names(), (std::set<std::string>{"fresh.trv", "model.trv"}));
}

std::string ErrorOf(const auto& write) {
  try {
    write();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

// Runs `check` as an ordinary user, for whom a folder's permissions count
// (root may write anywhere); true when it held.
bool AsOrdinaryUser(const std::function<bool()>& check) {
  if (::geteuid() != 0) return check();
  const pid_t child = ::fork();
  if (child == 0) ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && check() ? 0 : 1);
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct RefusedRow {
  const char* name;
  const char* target;
  const char* reason;
};

class WriteRefused : public Folder, public ::testing::WithParamInterface<RefusedRow> {};

// The check made before a long compute refuses what the write refuses, with
// the same words, alone or in a list; neither leaves anything behind.
TEST_P(WriteRefused, CheckAndWriteReportTheCauseAndLeaveTheFoldersAsTheyWere) {
  fs::create_directory(Path("sub"));
  fs::create_directory(Path("readonly"));
  fs::permissions(Path("readonly"), fs::perms(0555));
  fs::permissions(dir_, fs::perms::all);
  const std::string path = Path(GetParam().target);
  const std::string expected = "无法写入 " + path + "：" + GetParam().reason;
  EXPECT_TRUE(AsOrdinaryUser([&] {
    const std::string paths[] = {Path("fine.csv"), path};
    return ErrorOf([&] { CheckWritable(path); }) == expected && ErrorOf([&] { CheckWritable(paths); }) == expected &&
           ErrorOf([&] { WriteFileAtomically(path, "x"); }) == expected;
  }));
  EXPECT_TRUE(fs::is_empty(Path("sub")));
  EXPECT_TRUE(fs::is_empty(Path("readonly")));
  EXPECT_EQ(Names(), (std::set<std::string>{"readonly", "sub"}));
  EXPECT_EQ(ErrorOf([&] { CheckWritable(Path("sub/fine.vtu")); }), "");
  EXPECT_TRUE(fs::is_empty(Path("sub")));
}

// A device takes a single output written straight into it, never a file of
// a set written together.
TEST(CheckWritable, ADeviceOnlyAlone) {
  const std::string device[] = {"/dev/null"};
  EXPECT_EQ(ErrorOf([&] { CheckWritable(device[0]); }), "");
  EXPECT_EQ(ErrorOf([&] { CheckWritable(device); }), "无法写入 /dev/null：文件名无效");
}

INSTANTIATE_TEST_SUITE_P(Rows, WriteRefused,
                         ::testing::Values(RefusedRow{"MissingFolder", "no/such/folder.trv", "文件夹不存在"},
                                           RefusedRow{"FolderInTheWay", "sub", "这是一个文件夹"},
                                           RefusedRow{"ReadOnlyFolder", "readonly/out.vtu", "没有写入权限"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace trivane
