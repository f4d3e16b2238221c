#pragma once
// Every conversion between numbers and text in the program: reading the numbers
// of files and edit fields, and writing them for files, labels and reports.
// Nothing depends on the locale: the decimal point is always ".".
#include <cstdint>
#include <string>
#include <string_view>

namespace trivane {

// Width of one real field of a problem-file node line.
constexpr int RealFieldWidth = 23;

// Decimal integer with optional leading blanks and an optional sign, nothing
// after the digits; it must fit 32 bits. Otherwise throws Error(NotAnInteger).
int32_t ReadInteger(std::string_view text);

// Decimal real with optional leading blanks, optional sign, "." as the decimal
// point and an optional exponent. Hexadecimal, inf and nan are refused, and so
// is a value too large for a finite double; one too small to be represented
// reads as zero of its sign. Otherwise throws Error(NotAReal).
double ReadReal(std::string_view text);

// The 23-character real field: sign (blank or "-", from the sign bit), one
// digit, ".", 14 digits, "E", exponent sign and 4 exponent digits, the value
// rounded to 15 significant digits. Example: " 2.50000000000000E+0000".
std::string FormatRealField(double value);

// General format with 15 significant digits and no trailing zeros: plain for
// 0.0001 <= |value| < 1e15 ("1000", "-2.5", "0.0001"), otherwise scientific
// with an unpadded exponent ("1E-5", "2E20", "-1.5E-7").
std::string FormatGeneral(double value);

// The shortest text that reads back as exactly the same double ("0.1", "1e+20").
std::string FormatShortest(double value);

// A short label: `digits` significant digits, plain or scientific, whichever
// is shorter ("1.2346e+06", "-350.21", "0.5").
std::string FormatSignificant(double value, int digits);

// Decimal integer, right-aligned with leading blanks to at least `width`
// characters and never cut ("%5d" for width 5).
std::string FormatInteger(long long value, int width = 0);

}  // namespace trivane
