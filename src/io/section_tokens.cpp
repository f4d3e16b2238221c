#include "io/section_tokens.h"

#include "model/errors.h"

namespace trivane {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

bool IsSectionBlank(char c) { return c == ' ' || c == '\t'; }

std::string Quoted(std::string_view name) {
  static constexpr char Hex[] = "0123456789ABCDEF";
  std::string quoted = "\"";
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') quoted.append(1, '\\').append(1, c);
    else if (byte < 0x20 || byte == 0x7f) quoted.append("\\x").append(1, Hex[byte >> 4]).append(1, Hex[byte & 15]);
    else quoted += c;
  }
  return quoted += '"';
}

std::vector<Token> Tokens(std::string_view line) {
  std::vector<Token> tokens;
  for (size_t k = 0; k < line.size();) {
    if (IsSectionBlank(line[k])) {
      ++k;
      continue;
    }
    Token& token = tokens.emplace_back();
    const size_t start = k;
    if (line[k] != '"') {
      while (k < line.size() && !IsSectionBlank(line[k])) token.text += line[k++];
      continue;
    }
    token.quoted = true;
    const auto bad = [&] { return Error(messages::BadQuotedName(line.substr(start))); };
    for (++k;; ++k) {
      if (k == line.size()) throw bad();
      if (line[k] == '"') break;
      if (line[k] != '\\') {
        token.text += line[k];
      } else if (k + 1 < line.size() && (line[k + 1] == '"' || line[k + 1] == '\\')) {
        token.text += line[++k];
      } else if (k + 3 < line.size() && line[k + 1] == 'x' && HexDigit(line[k + 2]) >= 0 &&
                 HexDigit(line[k + 3]) >= 0) {
        token.text += static_cast<char>(HexDigit(line[k + 2]) * 16 + HexDigit(line[k + 3]));
        k += 3;
      } else {
        throw bad();
      }
    }
    if (++k < line.size() && !IsSectionBlank(line[k])) throw bad();
  }
  return tokens;
}

}  // namespace trivane
