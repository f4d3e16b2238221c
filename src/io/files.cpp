#include "io/files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "io/number_text.h"
#include "model/errors.h"

namespace trivane {

namespace {

class PosixFileSystem : public FileSystem {
 public:
  int CreateNew(const std::string& path, int& handle) override {
    handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return handle < 0 ? errno : 0;
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
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
  }

  int Remove(const std::string& path) override { return ::unlink(path.c_str()) == 0 ? 0 : errno; }
};

// A name beside `path`, so that the rename stays within one file system.
std::string TemporaryNameFor(const std::string& path, int attempt) {
  return path + ".~" + FormatInteger(::getpid()) + "-" + FormatInteger(attempt);
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

void WriteFileAtomically(const std::string& path, std::string_view bytes, FileSystem& files) {
  constexpr int Attempts = 100;  // a name left behind by a crashed save is skipped
  std::string temporary;
  int handle = -1;
  int error = EEXIST;
  for (int attempt = 0; attempt < Attempts && error == EEXIST; ++attempt) {
    temporary = TemporaryNameFor(path, attempt);
    error = files.CreateNew(temporary, handle);
  }
  if (error != 0) throw Error(messages::SaveFailed(error));

  error = files.Write(handle, bytes);
  if (error == 0) error = files.Flush(handle);
  const int closeError = files.Close(handle);
  if (error == 0) error = closeError;
  if (error == 0) error = files.Rename(temporary, path);
  if (error != 0) {
    files.Remove(temporary);
    throw Error(messages::SaveFailed(error));
  }
}

}  // namespace trivane
