#include "cli/cli_common.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/errors.h"

namespace trivane::cli {
namespace {

Arguments Parse(std::vector<std::string> args, size_t positional = 1) {
  return ParseArguments(args, {{"-o", "--E", "--size"}, {"--json", "--plane-strain"}, {"--force"}}, positional);
}

TEST(ParseArguments, SplitsPlainArgumentsOptionsAndSwitches) {
  const Arguments a = Parse({"--E", "-2.5e9", "model.trv", "--json", "-o", "out.png"});
  EXPECT_EQ(a.positional, std::vector<std::string>{"model.trv"});
  EXPECT_EQ(a.Value("--E"), "-2.5e9");
  EXPECT_EQ(a.Value("-o"), "out.png");
  EXPECT_EQ(a.Value("--size", "1024x640"), "1024x640");
  EXPECT_TRUE(a.Has("--json"));
  EXPECT_FALSE(a.Has("--plane-strain"));
  EXPECT_EQ(RealOption(a, "--E", 2e10), -2.5e9);
  EXPECT_EQ(RealOption(a, "--size-missing", 7.0), 7.0);
  const Arguments repeated = Parse({"--force", "a=1,2", "m.trv", "--force", "b=3,4"});
  EXPECT_EQ(repeated.repeated, (std::vector<std::pair<std::string, std::string>>{{"--force", "a=1,2"},
                                                                                  {"--force", "b=3,4"}}));
}

class BadCommandLine : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(BadCommandLine, IsAUsageError) { EXPECT_THROW(Parse(GetParam()), UsageError); }

INSTANTIATE_TEST_SUITE_P(Rows, BadCommandLine,
                         ::testing::Values(std::vector<std::string>{}, std::vector<std::string>{"a", "b"},
                                           std::vector<std::string>{"a", "--unknown"},
                                           std::vector<std::string>{"a", "-o"},
                                           std::vector<std::string>{"a", "--json", "--json"},
                                           std::vector<std::string>{"a", "-o", "x", "-o", "y"}));

TEST(RealOption, TextThatIsNotARealIsTheReadersError) {
  const Arguments a = Parse({"m.trv", "--E", "1,5"});
  try {
    RealOption(a, "--E", 0.0);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "'1,5' is not a valid floating point value");
  }
}

TEST(Json, RealsRoundTripAndNonFiniteIsNull) {
  EXPECT_EQ(JsonReal(0.1), "0.1");
  EXPECT_EQ(JsonReal(-0.0), "-0");
  EXPECT_EQ(JsonReal(1e21), "1e+21");
  EXPECT_EQ(JsonReal(1.0 / 0.0), "null");
  EXPECT_EQ(JsonString("a\"b\\c\n"), "\"a\\\"b\\\\c\\u000a\"");
}

}  // namespace
}  // namespace trivane::cli
