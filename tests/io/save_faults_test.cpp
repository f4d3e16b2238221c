// Saving a problem file when a step fails, over files with their own
// permission bits, through symbolic links and onto devices.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "io/files.h"
#include "io/problem_file.h"
#include "model/errors.h"

namespace trivane {
namespace {

namespace fs = std::filesystem;

enum class Step { None, Create, OpenExisting, SetMode, Write, Flush, Close, Rename };

// The real file system, except that one chosen step fails with a chosen error.
// It remembers the files it created so tests can see where they were put.
class FailingFileSystem : public FileSystem {
 public:
  FailingFileSystem(Step step, int error) : step_(step), error_(error) {}

  int CreateNew(const std::string& path, int& handle) override {
    created.insert(fs::path(path).parent_path().string());
    return step_ == Step::Create ? error_ : real_.CreateNew(path, handle);
  }
  int OpenExisting(const std::string& path, int& handle) override {
    return step_ == Step::OpenExisting ? error_ : real_.OpenExisting(path, handle);
  }
  int SetMode(int handle, unsigned mode) override {
    return step_ == Step::SetMode ? error_ : real_.SetMode(handle, mode);
  }
  // A write that fails leaves the first lines behind, as a disk filling up does.
  int Write(int handle, std::string_view bytes) override {
    if (step_ != Step::Write) return real_.Write(handle, bytes);
    real_.Write(handle, bytes.substr(0, bytes.find('\n', bytes.size() / 2) + 1));
    return error_;
  }
  int Flush(int handle) override { return step_ == Step::Flush ? error_ : real_.Flush(handle); }
  int Close(int handle) override {
    const int result = real_.Close(handle);
    return step_ == Step::Close ? error_ : result;
  }
  int Rename(const std::string& from, const std::string& to) override {
    return step_ == Step::Rename ? error_ : real_.Rename(from, to);
  }
  int Remove(const std::string& path) override { return real_.Remove(path); }

  std::set<std::string> created;  // folders the new files were created in

 private:
  FileSystem& real_ = SystemFileSystem();
  Step step_;
  int error_;
};

Model SmallModel() {
  Model m;
  m.nodeCount = 3;
  m.nodes[1] = {0.0, 0.0, FixedXY, 2, 0.0, 0.0};
  m.nodes[2] = {1.5, -0.25, FixedY, 1, 0.0, 0.0};
  m.nodes[3] = {0.75, 1.0, Free, 0, -1250.5, 292.5};
  m.elementCount = 1;
  m.elements[1] = {1, 2, 3};
  UpdateBounds(m);
  return m;
}

class SaveFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("trivane-save-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "elsewhere");
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  // Everything in the folder tree, links and files alike, by relative name.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
      names.insert(entry.path().lexically_relative(dir_).string());
    }
    return names;
  }
  void Put(const std::string& name, const std::string& bytes, unsigned mode) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    ::chmod(Path(name).c_str(), mode);
  }
  unsigned ModeOf(const std::string& name) const {
    struct stat status {};
    EXPECT_EQ(::lstat(Path(name).c_str(), &status), 0) << name;
    return status.st_mode & 07777u;
  }
  std::string Bytes(const std::string& name) const { return ReadFileBytes(Path(name)); }

  fs::path dir_;
};

std::string SaveError(const std::string& path, const Model& model, FileSystem& files) {
  try {
    WriteFileAtomically(path, WriteProblem(model), files);
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

struct FaultRow {
  Step step;
  int error;
  const char* reason;  // what the message says after the path
};

// The message of a write that failed, as the user sees it.
std::string CannotWrite(const std::string& path, const std::string& reason) {
  return "无法写入 " + path + "：" + reason;
}

// The file being replaced is private (0640) and is reached through a link from
// another folder: a failure at any step must leave the file, its bits and the
// link as they were, and no new file anywhere.
class SaveFaultAtEveryStep : public SaveFolder, public ::testing::WithParamInterface<FaultRow> {};

TEST_P(SaveFaultAtEveryStep, LeavesTheOldFileLinkAndModelAsTheyWere) {
  const std::string previous = WriteProblem(Model{});
  Put("elsewhere/model.trv", previous, 0640);
  fs::create_symlink("elsewhere/model.trv", Path("link.trv"));
  const Model model = SmallModel();
  const Model before = model;

  FailingFileSystem files(GetParam().step, GetParam().error);
  EXPECT_EQ(SaveError(Path("link.trv"), model, files), CannotWrite(Path("link.trv"), GetParam().reason));

  EXPECT_EQ(Bytes("elsewhere/model.trv"), previous);
  EXPECT_EQ(ModeOf("elsewhere/model.trv"), 0640u);
  EXPECT_TRUE(fs::is_symlink(Path("link.trv")));
  EXPECT_EQ(Names(), (std::set<std::string>{"elsewhere", "elsewhere/model.trv", "link.trv"}));
  EXPECT_TRUE(SameModel(model, before));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SaveFaultAtEveryStep,
    ::testing::Values(FaultRow{Step::Create, EACCES, "没有写入权限"},
                      FaultRow{Step::Create, ENOSPC, "磁盘已满"},
                      FaultRow{Step::Create, ENFILE, "打开的文件太多"},
                      FaultRow{Step::SetMode, EPERM, "没有写入权限"},
                      FaultRow{Step::SetMode, EIO, "输入输出错误"},
                      FaultRow{Step::Write, ENOSPC, "磁盘已满"},
                      FaultRow{Step::Write, EFBIG, "文件超出允许的大小"},
                      FaultRow{Step::Write, EIO, "输入输出错误"},
                      FaultRow{Step::Flush, ENOSPC, "磁盘已满"},
                      FaultRow{Step::Flush, EIO, "输入输出错误"},
                      FaultRow{Step::Close, EDQUOT, "超出磁盘配额"},
                      FaultRow{Step::Close, EINTR, "系统错误 4"},
                      FaultRow{Step::Rename, EACCES, "没有写入权限"},
                      FaultRow{Step::Rename, EBUSY, "系统错误 16"}));

// A save that had no file to replace leaves nothing at all behind.
TEST_F(SaveFolder, FailedFirstSaveLeavesNoFile) {
  for (const Step step : {Step::Write, Step::Flush, Step::Close, Step::Rename}) {
    FailingFileSystem files(step, ENOSPC);
    EXPECT_EQ(SaveError(Path("new.trv"), SmallModel(), files), CannotWrite(Path("new.trv"), "磁盘已满"));
    EXPECT_EQ(Names(), std::set<std::string>{"elsewhere"});
  }
}

TEST_F(SaveFolder, ReplacedFileKeepsItsPermissionBits) {
  for (const unsigned mode : {0600u, 0640u, 0644u, 0755u, 0664u}) {
    Put("model.trv", "old", mode);
    SaveProblemFile(Path("model.trv"), SmallModel());
    EXPECT_EQ(Bytes("model.trv"), WriteProblem(SmallModel()));
    EXPECT_EQ(ModeOf("model.trv"), mode) << std::oct << mode;
  }
  EXPECT_EQ(Names(), (std::set<std::string>{"elsewhere", "model.trv"}));
}

// Replacing needs only the folder's permission, yet a file its user may not
// write must stay as it is. Root may write anything, so the save runs as an
// ordinary user there.
TEST_F(SaveFolder, ReadOnlyFileIsRefusedAndKept) {
  Put("model.trv", "old", 0444);
  fs::permissions(dir_, fs::perms::all);
  const auto refused = [&] {
    try {
      SaveProblemFile(Path("model.trv"), SmallModel());
    } catch (const Error& e) {
      return e.what() == CannotWrite(Path("model.trv"), "没有写入权限") && Bytes("model.trv") == "old";
    }
    return false;
  };
  if (::geteuid() != 0) {
    EXPECT_TRUE(refused());
    return;
  }
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const bool asUser = ::setgid(65534) == 0 && ::setuid(65534) == 0;
    ::_exit(asUser && refused() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(Names(), (std::set<std::string>{"elsewhere", "model.trv"}));
}

TEST_F(SaveFolder, NewFileGetsTheUsualBits) {
  const mode_t mask = ::umask(022);
  SaveProblemFile(Path("new.trv"), SmallModel());
  ::umask(mask);
  EXPECT_EQ(ModeOf("new.trv"), 0644u);
}

// The new file is written beside the old one under a longer name; a name
// that is already near the system's limit must still save.
TEST_F(SaveFolder, LongestNameSaves) {
  const std::string name = std::string(251, 'm') + ".trv";
  Put(name, "old", 0600);
  SaveProblemFile(Path(name), SmallModel());
  EXPECT_EQ(Bytes(name), WriteProblem(SmallModel()));
  EXPECT_EQ(ModeOf(name), 0600u);
  EXPECT_EQ(Names(), (std::set<std::string>{"elsewhere", name}));
}

struct LinkRow {
  const char* name;
  const char* linkTarget;  // as written in the link; "@" stands for the test folder
  const char* savedFile;   // the file that must hold the saved model
};

class SaveThroughLink : public SaveFolder, public ::testing::WithParamInterface<LinkRow> {};

TEST_P(SaveThroughLink, ReplacesTheFileTheLinkPointsTo) {
  Put("elsewhere/model.trv", "old", 0600);
  std::string target = GetParam().linkTarget;
  if (target.starts_with("@")) target = dir_.string() + target.substr(1);
  fs::create_symlink(target, Path("link.trv"));
  const std::set<std::string> names = Names();

  SaveProblemFile(Path("link.trv"), SmallModel());

  EXPECT_TRUE(fs::is_symlink(Path("link.trv")));
  EXPECT_EQ(fs::read_symlink(Path("link.trv")).string(), target);
  EXPECT_EQ(Bytes(GetParam().savedFile), WriteProblem(SmallModel()));
  std::set<std::string> expected = names;
  expected.insert(GetParam().savedFile);
  EXPECT_EQ(Names(), expected);
  if (std::string(GetParam().savedFile) == "elsewhere/model.trv") {
    EXPECT_EQ(ModeOf("elsewhere/model.trv"), 0600u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Links, SaveThroughLink,
    ::testing::Values(LinkRow{"Relative", "elsewhere/model.trv", "elsewhere/model.trv"},
                      LinkRow{"Absolute", "@/elsewhere/model.trv", "elsewhere/model.trv"},
                      LinkRow{"Dangling", "elsewhere/fresh.trv", "elsewhere/fresh.trv"}),
    [](const auto& info) { return std::string(info.param.name); });

// Each link is read from its own folder: the chain ends in the file that the
// last link names, relative to where that link lies.
TEST_F(SaveFolder, ChainOfLinksEndsAtTheFile) {
  Put("elsewhere/model.trv", "old", 0640);
  fs::create_symlink("model.trv", Path("elsewhere/inner.trv"));
  fs::create_symlink("elsewhere/inner.trv", Path("outer.trv"));
  SaveProblemFile(Path("outer.trv"), SmallModel());
  EXPECT_EQ(Bytes("elsewhere/model.trv"), WriteProblem(SmallModel()));
  EXPECT_EQ(ModeOf("elsewhere/model.trv"), 0640u);
  EXPECT_TRUE(fs::is_symlink(Path("outer.trv")));
  EXPECT_TRUE(fs::is_symlink(Path("elsewhere/inner.trv")));
  EXPECT_EQ(Names(), (std::set<std::string>{"elsewhere", "elsewhere/inner.trv", "elsewhere/model.trv", "outer.trv"}));
}

TEST_F(SaveFolder, LinksInACircleAreRefusedAndLeftAlone) {
  fs::create_symlink("b.trv", Path("a.trv"));
  fs::create_symlink("a.trv", Path("b.trv"));
  FailingFileSystem files(Step::None, 0);
  EXPECT_EQ(SaveError(Path("a.trv"), SmallModel(), files), CannotWrite(Path("a.trv"), "符号链接太多或形成循环"));
  EXPECT_TRUE(files.created.empty());
  EXPECT_EQ(Names(), (std::set<std::string>{"a.trv", "b.trv", "elsewhere"}));
}

// A device is written in place: replacing it by a file would destroy it. The
// devices are the test's own nodes (the kernel's full and null devices), so
// that a save gone wrong can only harm the test folder.
TEST_F(SaveFolder, DeviceIsWrittenNotReplaced) {
  if (::mknod(Path("full").c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0 ||
      ::mknod(Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
    GTEST_SKIP() << "making device nodes needs root";
  }
  FailingFileSystem files(Step::None, 0);
  EXPECT_EQ(SaveError(Path("full"), SmallModel(), files), CannotWrite(Path("full"), "磁盘已满"));
  EXPECT_EQ(SaveError(Path("null"), SmallModel(), files), "");
  FailingFileSystem refusing(Step::OpenExisting, EACCES);
  EXPECT_EQ(SaveError(Path("null"), SmallModel(), refusing), CannotWrite(Path("null"), "没有写入权限"));

  EXPECT_TRUE(files.created.empty());
  EXPECT_TRUE(refusing.created.empty());
  EXPECT_TRUE(fs::is_character_file(Path("full")));
  EXPECT_TRUE(fs::is_character_file(Path("null")));
  EXPECT_EQ(Names(), (std::set<std::string>{"elsewhere", "full", "null"}));
}

TEST_F(SaveFolder, PipeGetsTheWholeFile) {
  ASSERT_EQ(::mkfifo(Path("pipe.trv").c_str(), 0600), 0);
  const int reader = ::open(Path("pipe.trv").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  SaveProblemFile(Path("pipe.trv"), SmallModel());
  std::string got(4096, '\0');
  const ssize_t n = ::read(reader, got.data(), got.size());
  ::close(reader);
  ASSERT_GT(n, 0);
  got.resize(static_cast<size_t>(n));
  EXPECT_EQ(got, WriteProblem(SmallModel()));
  EXPECT_TRUE(fs::is_fifo(Path("pipe.trv")));
  EXPECT_EQ(Names(), (std::set<std::string>{"elsewhere", "pipe.trv"}));
}

}  // namespace
}  // namespace trivane

namespace trivane {
namespace {

// Fails the n-th step of any kind (removals aside) with ENOSPC.
class NthStepFails : public FileSystem {
 public:
  explicit NthStepFails(int n) : n_(n) {}
  int CreateNew(const std::string& path, int& handle) override {
    return Next() ? ENOSPC : real_.CreateNew(path, handle);
  }
  int OpenExisting(const std::string& path, int& handle) override {
    return Next() ? ENOSPC : real_.OpenExisting(path, handle);
  }
  int SetMode(int handle, unsigned mode) override { return Next() ? ENOSPC : real_.SetMode(handle, mode); }
  int Write(int handle, std::string_view bytes) override { return Next() ? ENOSPC : real_.Write(handle, bytes); }
  int Flush(int handle) override { return Next() ? ENOSPC : real_.Flush(handle); }
  int Close(int handle) override {
    const int result = real_.Close(handle);
    return Next() ? ENOSPC : result;
  }
  int Rename(const std::string& from, const std::string& to) override {
    ++renames;
    return Next() ? ENOSPC : real_.Rename(from, to);
  }
  int Remove(const std::string& path) override { return real_.Remove(path); }
  int renames = 0;  // renames tried, the failing one included

 private:
  bool Next() { return ++step_ == n_; }
  FileSystem& real_ = SystemFileSystem();
  int n_;
  int step_ = 0;
};

// Two files saved together, failing at every step in turn: until the renames
// start, both old files stay and nothing else is left in the folder.
TEST_F(SaveFolder, FilesSavedTogetherFailingAtEveryStep) {
  for (int n = 1;; ++n) {
    Put("a.csv", "old a", 0644);
    Put("b.csv", "old b", 0600);
    const std::set<std::string> before = Names();
    NthStepFails files(n);
    const FileContent contents[] = {{Path("a.csv"), "new a"}, {Path("b.csv"), "new b"}};
    try {
      WriteFilesAtomically(contents, files);
    } catch (const Error& e) {
      // The message names the file whose step failed: five steps stage each
      // file, then a's rename comes before b's.
      const bool a = n <= 5 || n == 11;
      EXPECT_EQ(std::string(e.what()), CannotWrite(Path(a ? "a.csv" : "b.csv"), "磁盘已满")) << n;
      EXPECT_EQ(Names(), before) << n;
      if (files.renames <= 1) {
        EXPECT_EQ(Bytes("a.csv"), "old a") << n;
        EXPECT_EQ(Bytes("b.csv"), "old b") << n;
      }
      continue;
    }
    EXPECT_EQ(Bytes("a.csv"), "new a");
    EXPECT_EQ(Bytes("b.csv"), "new b");
    EXPECT_EQ(ModeOf("b.csv"), 0600u);
    EXPECT_GT(n, 8);  // create, mode, write, flush, close for each, then two renames
    break;
  }
}

}  // namespace
}  // namespace trivane
