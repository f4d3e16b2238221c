#include "io/files.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "io/number_text.h"
#include "model/errors.h"

namespace trivane {

namespace {

// Makes a rename survive a power loss. The new file is in place already, so a
// failure here is no reason to call the save failed.
void SyncFolderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

class PosixFileSystem : public FileSystem {
 public:
  int CreateNew(const std::string& path, int& handle) override {
    handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return handle < 0 ? errno : 0;
  }

  int OpenExisting(const std::string& path, int& handle) override {
    handle = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    return handle < 0 ? errno : 0;
  }

  int SetMode(int handle, unsigned mode) override {
    return ::fchmod(handle, static_cast<mode_t>(mode)) == 0 ? 0 : errno;
  }

  int Write(int handle, std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t written = ::write(handle, bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      bytes.remove_prefix(static_cast<size_t>(written));
    }
    return 0;
  }

  int Flush(int handle) override { return ::fsync(handle) == 0 ? 0 : errno; }

  int Close(int handle) override { return ::close(handle) == 0 ? 0 : errno; }

  int Rename(const std::string& from, const std::string& to) override {
    if (std::rename(from.c_str(), to.c_str()) != 0) return errno;
    SyncFolderOf(to);
    return 0;
  }

  int Remove(const std::string& path) override { return ::unlink(path.c_str()) == 0 ? 0 : errno; }
};

// What a save writes to: a file that does not exist yet, a stored file that
// is replaced (keeping its permission bits), or a device or pipe, which has no
// contents to keep and would itself be replaced by a rename.
struct SaveTarget {
  enum class Kind { NewFile, StoredFile, Device };
  Kind kind = Kind::NewFile;
  std::string path;
  unsigned mode = 0;
};

// The system's own limit on a chain of symbolic links.
constexpr int MaxLinkHops = 40;

// Follows `path` through its symbolic links, so that the rename replaces the
// file a link points to rather than the link. A link to a file that does not
// exist yet leads to that file being created. Returns 0 or the error number
// the save fails with.
int FindSaveTarget(const std::string& path, SaveTarget& target) {
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode)) {
    target = {SaveTarget::Kind::Device, path, 0};
    return 0;
  }
  std::filesystem::path current = path;
  for (int hop = 0; hop <= MaxLinkHops; ++hop) {
    if (::lstat(current.c_str(), &status) != 0) {
      // Nothing there (or not reachable): creating the file reports any fault.
      target = {SaveTarget::Kind::NewFile, current.string(), 0};
      return 0;
    }
    if (S_ISDIR(status.st_mode)) return EISDIR;  // a file never replaces a folder
    if (!S_ISLNK(status.st_mode)) {
      // The rename needs only the folder's permission; a file the user may not
      // write stays protected as if it were written in place.
      if (S_ISREG(status.st_mode) && ::access(current.c_str(), W_OK) != 0) return errno;
      target = {S_ISREG(status.st_mode) ? SaveTarget::Kind::StoredFile : SaveTarget::Kind::NewFile,
                current.string(), status.st_mode & 0777u};
      return 0;
    }
    std::error_code error;
    const std::filesystem::path link = std::filesystem::read_symlink(current, error);
    if (error) return error.value();
    current = link.is_absolute() ? link : current.parent_path() / link;
  }
  return ELOOP;
}

// A device or pipe takes the bytes as they come; there is nothing to flush to
// a disk.
void WriteDevice(const std::string& path, std::string_view bytes, FileSystem& files) {
  int handle = -1;
  int error = files.OpenExisting(path, handle);
  if (error != 0) throw Error(messages::CannotWrite(path, error));
  error = files.Write(handle, bytes);
  const int closeError = files.Close(handle);
  if (error == 0) error = closeError;
  if (error != 0) throw Error(messages::CannotWrite(path, error));
}

// A name beside `path`, so that the rename stays within one file system. It
// carries the file's own name when that leaves it within the system's limit
// on a name, so that a file left by a crash shows what it was for.
std::string TemporaryNameFor(const std::string& path, int attempt) {
  const std::string suffix = ".~" + FormatInteger(::getpid()) + "-" + FormatInteger(attempt);
  const std::filesystem::path target = path;
  if (target.filename().string().size() + suffix.size() <= NAME_MAX) return path + suffix;
  return (target.parent_path() / ("trivane" + suffix)).string();
}

}  // namespace

FileSystem& SystemFileSystem() {
  static PosixFileSystem files;
  return files;
}

std::string ReadFileBytes(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw Error(messages::CannotOpenFile(path, std::strerror(errno)));
  std::string bytes;
  char chunk[65536];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      throw Error(messages::CannotOpenFile(path, std::strerror(error)));
    }
    bytes.append(chunk, static_cast<size_t>(got));
  }
  ::close(fd);
  return bytes;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  WriteFileAtomically(path, bytes, SystemFileSystem());
}

namespace {

// Creates a new file beside the target. Returns 0 or the error number.
int CreateBeside(const SaveTarget& target, FileSystem& files, std::string& temporary, int& handle) {
  constexpr int Attempts = 100;  // a name left behind by a crashed save is skipped
  int error = EEXIST;
  for (int attempt = 0; attempt < Attempts && error == EEXIST; ++attempt) {
    temporary = TemporaryNameFor(target.path, attempt);
    error = files.CreateNew(temporary, handle);
  }
  return error;
}

// Writes `bytes` to a new file beside the target, with the target's permission
// bits. Returns 0, or the error number with nothing left behind.
int Stage(const SaveTarget& target, std::string_view bytes, FileSystem& files, std::string& temporary) {
  int handle = -1;
  int error = CreateBeside(target, files, temporary, handle);
  if (error != 0) return error;

  // The bits are set before anything is written, so a private file's contents
  // are never readable by others, not even for a moment.
  if (target.kind == SaveTarget::Kind::StoredFile) error = files.SetMode(handle, target.mode);
  if (error == 0) error = files.Write(handle, bytes);
  if (error == 0) error = files.Flush(handle);
  const int closeError = files.Close(handle);
  if (error == 0) error = closeError;
  if (error != 0) files.Remove(temporary);
  return error;
}

// Whether a file could be put at `path`: a temporary one is created beside
// the target and removed again. A device or pipe is asked for its permission
// only, since opening a pipe would wait for a reader and then hand it an end
// of file.
int Probe(const std::string& path, bool devices, FileSystem& files) {
  SaveTarget target;
  int error = FindSaveTarget(path, target);
  if (error != 0) return error;
  if (target.kind == SaveTarget::Kind::Device) {
    if (!devices) return EINVAL;
    return ::access(target.path.c_str(), W_OK) == 0 ? 0 : errno;
  }
  std::string temporary;
  int handle = -1;
  error = CreateBeside(target, files, temporary, handle);
  if (error != 0) return error;
  error = files.Close(handle);
  files.Remove(temporary);
  return error;
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes, FileSystem& files) {
  SaveTarget target;
  int error = FindSaveTarget(path, target);
  if (error != 0) throw Error(messages::CannotWrite(path, error));
  if (target.kind == SaveTarget::Kind::Device) {
    WriteDevice(target.path, bytes, files);
    return;
  }
  std::string temporary;
  error = Stage(target, bytes, files, temporary);
  if (error != 0) throw Error(messages::CannotWrite(path, error));
  error = files.Rename(temporary, target.path);
  if (error != 0) {
    files.Remove(temporary);
    throw Error(messages::CannotWrite(path, error));
  }
}

void CheckWritable(const std::string& path) {
  if (const int error = Probe(path, true, SystemFileSystem()); error != 0)
    throw Error(messages::CannotWrite(path, error));
}

void CheckWritable(std::span<const std::string> paths) {
  for (const std::string& path : paths)
    if (const int error = Probe(path, false, SystemFileSystem()); error != 0)
      throw Error(messages::CannotWrite(path, error));
}

void WriteFilesAtomically(std::span<const FileContent> contents) {
  WriteFilesAtomically(contents, SystemFileSystem());
}

void WriteFilesAtomically(std::span<const FileContent> contents, FileSystem& files) {
  std::vector<SaveTarget> targets(contents.size());
  for (std::size_t k = 0; k < contents.size(); ++k) {
    int error = FindSaveTarget(contents[k].path, targets[k]);
    if (error == 0 && targets[k].kind == SaveTarget::Kind::Device) error = EINVAL;
    if (error != 0) throw Error(messages::CannotWrite(contents[k].path, error));
  }
  std::vector<std::string> temporaries;
  const auto removeFrom = [&](std::size_t first) {
    for (std::size_t k = first; k < temporaries.size(); ++k) files.Remove(temporaries[k]);
  };
  for (std::size_t k = 0; k < contents.size(); ++k) {
    std::string temporary;
    const int error = Stage(targets[k], contents[k].bytes, files, temporary);
    if (error != 0) {
      removeFrom(0);
      throw Error(messages::CannotWrite(contents[k].path, error));
    }
    temporaries.push_back(std::move(temporary));
  }
  // Every file is complete on the disk; the renames are the last step.
  for (std::size_t k = 0; k < contents.size(); ++k) {
    const int error = files.Rename(temporaries[k], targets[k].path);
    if (error != 0) {
      removeFrom(k);
      throw Error(messages::CannotWrite(contents[k].path, error));
    }
  }
}

}  // namespace trivane
