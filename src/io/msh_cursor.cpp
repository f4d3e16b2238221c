#include "io/msh_cursor.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>

#include "io/number_text.h"
#include "model/errors.h"

namespace trivane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }
bool IsSpace(char c) { return IsBlank(c) || c == '\n'; }

std::string_view Trimmed(std::string_view line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  return line;
}

}  // namespace

void MshCursor::SetBinary(bool bigEndian) {
  binary_ = true;
  bigEndian_ = bigEndian;
}

int MshCursor::LineAt(size_t position) const {
  const auto end = bytes_.begin() + static_cast<std::ptrdiff_t>(std::min(position, bytes_.size()));
  return 1 + static_cast<int>(std::count(bytes_.begin(), end, '\n'));
}

void MshCursor::Fail(const std::string& text) const {
  if (binary_) throw Error(text);
  throw LineError(text, LineAt(valueStart_));
}

std::string_view MshCursor::NextLine() {
  while (position_ < bytes_.size()) {
    const size_t end = std::min(bytes_.find('\n', position_), bytes_.size());
    const std::string_view line = Trimmed(bytes_.substr(position_, end - position_));
    valueStart_ = position_;
    position_ = std::min(end + 1, bytes_.size());
    if (!line.empty()) return line;
  }
  valueStart_ = position_;
  return {};
}

// The closing line is searched for rather than read through, as Gmsh itself
// does: the section may hold anything, binary data included.
void MshCursor::SkipSection(std::string_view name) {
  const std::string end = "$End" + std::string(name.substr(1));
  for (size_t at = bytes_.find(end, position_); at != std::string_view::npos; at = bytes_.find(end, at + 1)) {
    const size_t after = at + end.size();
    const bool startsLine = at == 0 || bytes_[at - 1] == '\n';
    const bool endsLine = after == bytes_.size() || IsSpace(bytes_[after]);
    if (startsLine && endsLine) {
      position_ = after;
      return;
    }
  }
  SetSection(name);
  Fail(messages::SectionEndMissing(name));
}

void MshCursor::ExpectSectionEnd() {
  const std::string end = "$End" + section_.substr(1);
  if (NextLine() != end) Fail(messages::SectionEndMissing(section_));
}

void MshCursor::Record() {
  if (binary_) return;
  while (position_ < bytes_.size() && IsSpace(bytes_[position_])) ++position_;
  valueStart_ = position_;
  if (position_ == bytes_.size()) Fail(messages::SectionCutShort(section_));
  // A section's closing line where a record should be: the section is short.
  if (bytes_[position_] == '$') Fail(messages::SectionEndsEarly(section_));
}

void MshCursor::EndRecord() {
  if (binary_) return;
  while (position_ < bytes_.size() && IsBlank(bytes_[position_])) ++position_;
  if (position_ == bytes_.size() || bytes_[position_] == '\n') return;
  valueStart_ = position_;
  const size_t end = std::min(bytes_.find('\n', position_), bytes_.size());
  Fail(messages::LineTooLong(Trimmed(bytes_.substr(position_, std::min<size_t>(end - position_, 40)))));
}

// The next value of the current record's line.
std::string_view MshCursor::Token() {
  while (position_ < bytes_.size() && IsBlank(bytes_[position_])) ++position_;
  valueStart_ = position_;
  if (position_ == bytes_.size()) Fail(messages::SectionCutShort(section_));
  if (bytes_[position_] == '\n') Fail(messages::LineTooShort(section_));
  const size_t start = position_;
  while (position_ < bytes_.size() && !IsSpace(bytes_[position_])) ++position_;
  return bytes_.substr(start, position_ - start);
}

std::string_view MshCursor::Bytes(size_t count) {
  valueStart_ = position_;
  if (bytes_.size() - position_ < count) Fail(messages::SectionCutShort(section_));
  const std::string_view taken = bytes_.substr(position_, count);
  position_ += count;
  return taken;
}

uint64_t MshCursor::Unsigned(std::string_view bytes) const {
  uint64_t value = 0;
  for (size_t k = 0; k < bytes.size(); ++k) {
    const size_t from = bigEndian_ ? k : bytes.size() - 1 - k;
    value = (value << 8) | static_cast<unsigned char>(bytes[from]);
  }
  return value;
}

uint64_t MshCursor::TextSize() {
  const bool binary = binary_;
  binary_ = false;
  Record();
  const uint64_t value = Size();
  EndRecord();
  if (position_ < bytes_.size()) ++position_;  // the line end: binary values follow directly
  binary_ = binary;
  return value;
}

int64_t MshCursor::Int() {
  if (binary_) return static_cast<int32_t>(static_cast<uint32_t>(Unsigned(Bytes(4))));
  const std::string_view text = Token();
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) Fail(messages::NotAnInteger(text));
  return value;
}

uint64_t MshCursor::Size() {
  if (binary_) return Unsigned(Bytes(8));
  const std::string_view text = Token();
  if (!text.empty() && text.front() == '-') {
    int64_t negative = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), negative);
    if (error == std::errc() && end == text.data() + text.size()) Fail(messages::NegativeCount(text));
  }
  uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) Fail(messages::NotAnInteger(text));
  return value;
}

double MshCursor::Real() {
  if (binary_) {
    const double value = std::bit_cast<double>(Unsigned(Bytes(8)));
    if (!std::isfinite(value)) Fail(messages::NotAReal(FormatShortest(value)));
    return value;
  }
  const std::string_view text = Token();
  try {
    return ReadReal(text);
  } catch (const Error& e) {
    Fail(e.what());
  }
}

}  // namespace trivane
