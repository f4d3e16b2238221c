#include "io/text_buffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trivane {
namespace {

struct LinesRow {
  std::string bytes;
  std::vector<std::string> lines;
};

class LineEnds : public ::testing::TestWithParam<LinesRow> {};

TEST_P(LineEnds, SplitTheBuffer) {
  const TextBuffer text(GetParam().bytes);
  const std::vector<std::string>& expected = GetParam().lines;
  ASSERT_EQ(text.LineCount(), static_cast<int>(expected.size()));
  for (size_t k = 0; k < expected.size(); ++k) EXPECT_EQ(text.Line(static_cast<int>(k)), expected[k]) << k;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LineEnds,
    ::testing::Values(LinesRow{"", {}}, LinesRow{"a", {"a"}}, LinesRow{"a\r\n", {"a"}},
                      LinesRow{"a\r\nb\r\n", {"a", "b"}}, LinesRow{"a\rb", {"a", "b"}}, LinesRow{"a\nb\n", {"a", "b"}},
                      LinesRow{"\r\n", {""}}, LinesRow{"\r\n\r\n", {"", ""}}, LinesRow{"a\n\rb", {"a", "", "b"}},
                      LinesRow{"a\r\r\nb", {"a", "", "b"}}, LinesRow{"a\r", {"a"}},
                      LinesRow{"x\ty  z\r\n" + std::string(5000, 'w'), {"x\ty  z", std::string(5000, 'w')}}));

TEST(TextBuffer, LinesOutsideTheBufferAreEmpty) {
  const TextBuffer text("one\r\ntwo\r\n");
  EXPECT_EQ(text.Line(2), "");
  EXPECT_EQ(text.Line(1000), "");
  EXPECT_EQ(text.Line(-1), "");
}

TEST(TextBuffer, LinesStayValidWhenTheBufferMoves) {
  TextBuffer first("short\nlines");
  const TextBuffer moved = std::move(first);
  EXPECT_EQ(moved.Line(0), "short");
  EXPECT_EQ(moved.Line(1), "lines");
}

}  // namespace
}  // namespace trivane
