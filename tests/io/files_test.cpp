#include "io/files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

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

TEST_F(Folder, WriteReplacesTheFileAndLeavesNothingElse) {
  Put("model.trv", "old contents that are longer");
  WriteFileAtomically(Path("model.trv"), "new");
  EXPECT_EQ(ReadFileBytes(Path("model.trv")), "new");
  EXPECT_EQ(Names(), std::set<std::string>{"model.trv"});
  WriteFileAtomically(Path("fresh.trv"), "");
  EXPECT_EQ(ReadFileBytes(Path("fresh.trv")), "");
}

TEST_F(Folder, WriteIntoMissingFolderIsFileNotFound) {
  try {
    WriteFileAtomically(Path("no/such/folder.trv"), "x");
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
}

TEST_F(Folder, WriteOverAFolderKeepsItAndCleansUp) {
  fs::create_directory(Path("sub"));
  EXPECT_THROW(WriteFileAtomically(Path("sub"), "x"), Error);
  EXPECT_TRUE(fs::is_directory(Path("sub")));
  EXPECT_EQ(Names(), std::set<std::string>{"sub"});
}

// The real file system, except that one chosen step fails with a chosen error.
class FailingFileSystem : public FileSystem {
 public:
  enum class Step { Create, Write, Flush, Close, Rename };
  FailingFileSystem(Step step, int error) : step_(step), error_(error) {}

  int CreateNew(const std::string& path, int& handle) override {
    return step_ == Step::Create ? error_ : real_.CreateNew(path, handle);
  }
  int OpenExisting(const std::string& path, int& handle) override { return real_.OpenExisting(path, handle); }
  int SetMode(int handle, unsigned mode) override { return real_.SetMode(handle, mode); }
  int Write(int handle, std::string_view bytes) override {
    // A write that fails half way leaves part of the bytes behind, as a full disk does.
    if (step_ != Step::Write) return real_.Write(handle, bytes);
    real_.Write(handle, bytes.substr(0, bytes.size() / 2));
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

 private:
  FileSystem& real_ = SystemFileSystem();
  Step step_;
  int error_;
};

struct FaultRow {
  FailingFileSystem::Step step;
  int error;
  const char* text;
};

class SaveFault : public Folder, public ::testing::WithParamInterface<FaultRow> {};

TEST_P(SaveFault, KeepsTheOldFileAndRemovesTheNewOne) {
  Put("model.trv", "previous model");
  FailingFileSystem files(GetParam().step, GetParam().error);
  try {
    WriteFileAtomically(Path("model.trv"), std::string(10000, 'n'), files);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), GetParam().text);
  }
  EXPECT_EQ(ReadFileBytes(Path("model.trv")), "previous model");
  EXPECT_EQ(Names(), std::set<std::string>{"model.trv"});
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SaveFault,
    ::testing::Values(FaultRow{FailingFileSystem::Step::Create, EACCES, "File access denied"},
                      FaultRow{FailingFileSystem::Step::Create, EMFILE, "Too many open files"},
                      FaultRow{FailingFileSystem::Step::Create, ENAMETOOLONG, "Invalid filename"},
                      FaultRow{FailingFileSystem::Step::Write, ENOSPC, "Disk full"},
                      FaultRow{FailingFileSystem::Step::Write, EIO, "I/O error 5"},
                      FaultRow{FailingFileSystem::Step::Flush, EDQUOT, "Disk full"},
                      FaultRow{FailingFileSystem::Step::Close, EIO, "I/O error 5"},
                      FaultRow{FailingFileSystem::Step::Rename, EXDEV, "I/O error 18"}));

}  // namespace
}  // namespace trivane
