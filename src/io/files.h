#pragma once
// Reading whole files, and writing them so that a failure never destroys the
// file that was there before.
#include <span>
#include <string>
#include <string_view>

namespace trivane {

// The steps of writing a file, each returning 0 on success or the system's
// error number. The program uses the real file system; tests substitute one
// that fails at a chosen step.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Creates `path`, which must not exist yet (EEXIST if it does).
  virtual int CreateNew(const std::string& path, int& handle) = 0;
  // Opens `path`, which must exist, for writing without emptying it first.
  virtual int OpenExisting(const std::string& path, int& handle) = 0;
  // Sets the permission bits of the open file.
  virtual int SetMode(int handle, unsigned mode) = 0;
  virtual int Write(int handle, std::string_view bytes) = 0;
  // Forces the written bytes to the disk.
  virtual int Flush(int handle) = 0;
  virtual int Close(int handle) = 0;
  // Replaces `to` by `from` in one step.
  virtual int Rename(const std::string& from, const std::string& to) = 0;
  virtual int Remove(const std::string& path) = 0;
};

// The operating system's files.
FileSystem& SystemFileSystem();

// The whole content of a file. Throws Error(CannotOpenFile) with the system's
// reason when it cannot be opened or read.
std::string ReadFileBytes(const std::string& path);

// Writes `bytes` to a new file beside `path`, then renames it over `path`. On
// any failure `path` is untouched, the new file is removed and
// Error(CannotWrite) names `path` and the cause. A file replaced keeps its permission bits; when
// `path` is a symbolic link, the file it points to is replaced and the link
// stays. A device or pipe is not a stored file and is written directly.
void WriteFileAtomically(const std::string& path, std::string_view bytes);
void WriteFileAtomically(const std::string& path, std::string_view bytes, FileSystem& files);

// Several files that belong together, e.g. the two tables of one export. Every
// one is first written in full beside its target; only then are they renamed
// into place, one after the other. A failure before the renames (a full disk,
// a folder that cannot be written, a target that is a folder) leaves every
// target untouched and removes the new files. Devices are not accepted here.
struct FileContent {
  std::string path;
  std::string_view bytes;
};
void WriteFilesAtomically(std::span<const FileContent> contents);
void WriteFilesAtomically(std::span<const FileContent> contents, FileSystem& files);

// Checks, before a long computation whose result would be lost with it, that
// the output can be put in place as the writers above put it: a folder in the
// way, a missing or read-only folder or a file its user may not write throws
// the Error(CannotWrite) the write would. A file is created beside the target
// and removed again; a device or pipe is asked for its permission only (the
// list, written together, takes none). A disk that fills up shows only when
// the bytes are written.
void CheckWritable(const std::string& path);
void CheckWritable(std::span<const std::string> paths);

}  // namespace trivane
