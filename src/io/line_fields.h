#pragma once
// Reading a file line by line: cutting fields out of a line by position, and
// naming the line an error was found on.
#include <string_view>

#include "model/errors.h"

namespace trivane {

// Up to `count` characters from 0-based position `first`: fewer if the line is
// shorter, none if it ends before them.
inline std::string_view Columns(std::string_view line, size_t first, size_t count) {
  if (first >= line.size()) return {};
  return line.substr(first, count);
}

// Runs read(); an Error it throws comes out as a LineError on the 1-based line
// of the 0-based lineIndex. A LineError passes through unchanged.
template <typename Read>
auto AtLine(int lineIndex, Read read) {
  try {
    return read();
  } catch (const LineError&) {
    throw;
  } catch (const Error& e) {
    throw LineError(e.what(), lineIndex + 1);
  }
}

}  // namespace trivane
