#pragma once
// The words of a problem-file section line: blank-separated tokens, and names
// in double quotes with \" and \\ for a quote and a backslash and \xHH for a
// control character, so that any name a mesh gives reads back as it was.
#include <string>
#include <string_view>
#include <vector>

namespace trivane {

struct Token {
  std::string text;  // a quoted token without its quotes and escapes
  bool quoted = false;
};

// A blank between tokens: a space or a tab.
bool IsSectionBlank(char c);

// The name in double quotes, escaped as Tokens reads it back.
std::string Quoted(std::string_view name);

// The blank-separated tokens of a line; a token that begins with a double
// quote runs to the closing quote and must end there. Throws Error
// (BadQuotedName) for a quoted name that does not.
std::vector<Token> Tokens(std::string_view line);

}  // namespace trivane
