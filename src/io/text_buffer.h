#pragma once
// A whole text file split into lines. A line ends at CR LF, a lone CR or a lone
// LF; line breaks are not part of the lines and long lines are never wrapped.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trivane {

class TextBuffer {
 public:
  explicit TextBuffer(std::string bytes);

  // Number of lines; a line break at the very end does not start another line.
  int LineCount() const;

  // Line `index`, counted from 0; empty text for an index outside the buffer.
  std::string_view Line(int index) const;

 private:
  std::string bytes_;
  std::vector<std::pair<size_t, size_t>> lines_;  // start and length in bytes_
};

}  // namespace trivane
