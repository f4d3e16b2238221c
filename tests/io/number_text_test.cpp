#include "io/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/errors.h"

namespace trivane {
namespace {

struct IntegerRow {
  const char* text;
  int32_t value;
};

class GoodInteger : public ::testing::TestWithParam<IntegerRow> {};

TEST_P(GoodInteger, Reads) { EXPECT_EQ(ReadInteger(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Rows, GoodInteger,
                         ::testing::Values(IntegerRow{"0", 0}, IntegerRow{"12", 12}, IntegerRow{"   345", 345},
                                           IntegerRow{"-7", -7}, IntegerRow{"+7", 7}, IntegerRow{"  -0012", -12},
                                           IntegerRow{"2147483647", 2147483647},
                                           IntegerRow{"-2147483648", std::numeric_limits<int32_t>::min()},
                                           IntegerRow{"0000000000000000000001", 1}));

class BadInteger : public ::testing::TestWithParam<const char*> {};

TEST_P(BadInteger, IsRefusedWithItsText) {
  const std::string text = GetParam();
  try {
    ReadInteger(text);
    FAIL() << "accepted '" << text << "'";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "'" + text + "' is not a valid integer value");
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, BadInteger,
                         ::testing::Values("", " ", "-", "+", "1 ", "1.0", "1e3", "0x10", "\t5", "- 5", "12a",
                                           "2147483648", "-2147483649", "99999999999999999999",
                                           // wraps past 2^64 to 1 if the digit loop forgets to check
                                           "18446744073709551617"));

struct RealRow {
  const char* text;
  double value;
};

class GoodReal : public ::testing::TestWithParam<RealRow> {};

TEST_P(GoodReal, ReadsExactly) {
  const double read = ReadReal(GetParam().text);
  EXPECT_EQ(read, GetParam().value);
  EXPECT_EQ(std::signbit(read), std::signbit(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GoodReal,
    ::testing::Values(RealRow{"0", 0.0}, RealRow{"-0.0", -0.0}, RealRow{"2.5", 2.5}, RealRow{"  -10", -10.0},
                      RealRow{"+1.5", 1.5}, RealRow{".5", 0.5}, RealRow{"5.", 5.0}, RealRow{"1e3", 1000.0},
                      RealRow{" 1.00000000000000E-0003", 0.001}, RealRow{"-1.00000000000000E+0001", -10.0},
                      RealRow{"1.7976931348623157E308", std::numeric_limits<double>::max()},
                      RealRow{"4.9406564584124654E-324", std::numeric_limits<double>::denorm_min()},
                      RealRow{"1E-400", 0.0}, RealRow{"-1E-400", -0.0}, RealRow{"0E999999999999", 0.0},
                      RealRow{"0.1", 0.1}));

class BadReal : public ::testing::TestWithParam<const char*> {};

TEST_P(BadReal, IsRefusedWithItsText) {
  const std::string text = GetParam();
  try {
    ReadReal(text);
    FAIL() << "accepted '" << text << "'";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "'" + text + "' is not a valid floating point value");
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, BadReal,
                         ::testing::Values("", "   ", ".", "-", "1,5", "1.0x", "1e", "1e+", "2.5 ", "inf", "-inf",
                                           "nan", "0x1p3", "1.7976931348623159E308", "1E309", "-1E400", "--1",
                                           "1..2", "\t1"));

struct FieldRow {
  double value;
  const char* field;
};

class RealField : public ::testing::TestWithParam<FieldRow> {};

TEST_P(RealField, IsWrittenIn23Characters) {
  const std::string field = FormatRealField(GetParam().value);
  EXPECT_EQ(field, GetParam().field);
  EXPECT_EQ(field.size(), 23u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RealField,
    ::testing::Values(FieldRow{0.0, " 0.00000000000000E+0000"}, FieldRow{2.5, " 2.50000000000000E+0000"},
                      FieldRow{-10.0, "-1.00000000000000E+0001"}, FieldRow{0.001, " 1.00000000000000E-0003"},
                      FieldRow{-0.0, "-0.00000000000000E+0000"}, FieldRow{1000.0, " 1.00000000000000E+0003"},
                      FieldRow{270.0, " 2.70000000000000E+0002"},
                      // 9.999999999999999E+0004: 15 digits carry into the exponent.
                      FieldRow{99999.99999999999, " 1.00000000000000E+0005"},
                      FieldRow{9.9999999999999995, " 1.00000000000000E+0001"},
                      FieldRow{0.09999999999999999, " 1.00000000000000E-0001"},
                      FieldRow{1.23456789012345678, " 1.23456789012346E+0000"},
                      FieldRow{std::numeric_limits<double>::max(), " 1.79769313486232E+0308"},
                      FieldRow{std::numeric_limits<double>::min(), " 2.22507385850720E-0308"},
                      FieldRow{std::numeric_limits<double>::denorm_min(), " 4.94065645841247E-0324"},
                      FieldRow{-1e-300, "-1.00000000000000E-0300"}));

TEST(RealField, FifteenDigitValuesComeBackExactly) {
  for (double v : {0.1, -123.456, 1.0 / 3.0 * 3.0, 6.02214076e23, 1e-5, 2.718281828459045, 12345678901234.5}) {
    const double rounded = ReadReal(FormatRealField(v));
    EXPECT_EQ(ReadReal(FormatRealField(rounded)), rounded) << v;
    EXPECT_NEAR(rounded, v, std::fabs(v) * 1e-14) << v;
  }
}

struct GeneralRow {
  double value;
  const char* text;
};

class General : public ::testing::TestWithParam<GeneralRow> {};

TEST_P(General, Writes) { EXPECT_EQ(FormatGeneral(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Rows, General,
    ::testing::Values(GeneralRow{1.0, "1"}, GeneralRow{-2.5, "-2.5"}, GeneralRow{1000.0, "1000"},
                      GeneralRow{0.0001, "0.0001"}, GeneralRow{0.00001, "1E-5"}, GeneralRow{2e20, "2E20"},
                      GeneralRow{0.0, "0"}, GeneralRow{-0.0, "0"}, GeneralRow{999999999999999.0, "999999999999999"},
                      GeneralRow{1e15, "1E15"}, GeneralRow{123.456, "123.456"}, GeneralRow{0.1, "0.1"},
                      GeneralRow{-1.5e-7, "-1.5E-7"}, GeneralRow{0.00012345, "0.00012345"},
                      GeneralRow{1.0 / 3.0, "0.333333333333333"}, GeneralRow{99999.99999999999, "100000"},
                      GeneralRow{9.99999999999999999e14, "1E15"}));

TEST(Shortest, ReadsBackBitForBit) {
  for (double v : {0.1, -0.0, 1e20, 5e-324, 1.0 / 3.0, -123.456, std::numeric_limits<double>::max()}) {
    const std::string text = FormatShortest(v);
    const double back = ReadReal(text);
    EXPECT_EQ(back, v) << text;
    EXPECT_EQ(std::signbit(back), std::signbit(v)) << text;
  }
  EXPECT_EQ(FormatShortest(0.1), "0.1");
  EXPECT_EQ(FormatShortest(2.0), "2");
}

}  // namespace
}  // namespace trivane
