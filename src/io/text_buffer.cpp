#include "io/text_buffer.h"

namespace trivane {

TextBuffer::TextBuffer(std::string bytes) : bytes_(std::move(bytes)) {
  const std::string_view all(bytes_);
  size_t start = 0;
  size_t k = 0;
  while (k < all.size()) {
    const char c = all[k];
    if (c != '\r' && c != '\n') {
      ++k;
      continue;
    }
    lines_.emplace_back(start, k - start);
    k += (c == '\r' && k + 1 < all.size() && all[k + 1] == '\n') ? 2 : 1;
    start = k;
  }
  if (start < all.size()) lines_.emplace_back(start, all.size() - start);
}

int TextBuffer::LineCount() const { return static_cast<int>(lines_.size()); }

std::string_view TextBuffer::Line(int index) const {
  if (index < 0 || index >= LineCount()) return {};
  const auto [start, length] = lines_[static_cast<size_t>(index)];
  return std::string_view(bytes_).substr(start, length);
}

}  // namespace trivane
