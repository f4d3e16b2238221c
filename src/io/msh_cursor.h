#pragma once
// Reading the values of a Gmsh mesh file (".msh"). Sections begin and end with
// a line of their own ("$Nodes", "$EndNodes"). Inside a section an ASCII file
// holds records, one to a line, of numbers separated by blanks; a binary file
// holds the same numbers as 4-byte integers, 8-byte sizes and 8-byte reals in
// the byte order its format section shows. One cursor reads both, so each
// layout is parsed by one function whatever its encoding.
#include <cstdint>
#include <string>
#include <string_view>

namespace trivane {

class MshCursor {
 public:
  explicit MshCursor(std::string_view bytes) : bytes_(bytes) {}

  // From here on the values are binary, in the given byte order.
  void SetBinary(bool bigEndian);
  bool Binary() const { return binary_; }

  // The section being read, named in errors about it ("$Nodes").
  void SetSection(std::string_view section) { section_ = section; }

  // The next non-blank line, trimmed; empty at the end of the file.
  std::string_view NextLine();
  // Moves past the line "$End<name>" that closes the section `name` ("$Nodes")
  // without reading what is inside; throws SectionEndMissing if there is none.
  void SkipSection(std::string_view name);
  // The section's closing line must come next.
  void ExpectSectionEnd();

  // A record starts on the next line that is not blank (ASCII); its values must
  // be on that line, and EndRecord() checks that nothing else is. Binary files
  // have no lines, and both do nothing there.
  void Record();
  void EndRecord();

  // A count written as a line of text, in ASCII and binary files alike.
  uint64_t TextSize();

  int64_t Int();    // ASCII integer, binary 4-byte signed integer
  uint64_t Size();  // ASCII non-negative integer, binary 8-byte unsigned size
  double Real();    // ASCII decimal real, binary 8-byte IEEE double, finite
  // The next `count` bytes as they stand: the binary byte-order mark.
  std::string_view Bytes(size_t count);

  // Throws `text` as a LineError on the line of the value read last (ASCII),
  // or as an Error (binary: a file without lines).
  [[noreturn]] void Fail(const std::string& text) const;

 private:
  std::string_view Token();
  uint64_t Unsigned(std::string_view bytes) const;
  int LineAt(size_t position) const;

  std::string_view bytes_;
  size_t position_ = 0;
  size_t valueStart_ = 0;  // where the value read last began, for errors
  bool binary_ = false;
  bool bigEndian_ = false;
  std::string section_ = "$MeshFormat";
};

}  // namespace trivane
