#include "io/number_text.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

#include "model/errors.h"

namespace trivane {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view SkipLeadingBlanks(std::string_view text) {
  size_t k = 0;
  while (k < text.size() && text[k] == ' ') ++k;
  return text.substr(k);
}

// The layout of a decimal real as read: sign, mantissa digits around the
// point, exponent. Filled only for a text that is a complete decimal real.
struct RealSyntax {
  bool negative = false;
  std::string_view integerDigits;
  std::string_view fractionDigits;
  long long exponent = 0;  // saturated far beyond any double's range
};

bool ParseRealSyntax(std::string_view s, RealSyntax& out) {
  size_t k = 0;
  if (k < s.size() && (s[k] == '+' || s[k] == '-')) out.negative = s[k++] == '-';
  const size_t intStart = k;
  while (k < s.size() && IsDigit(s[k])) ++k;
  out.integerDigits = s.substr(intStart, k - intStart);
  if (k < s.size() && s[k] == '.') {
    const size_t fracStart = ++k;
    while (k < s.size() && IsDigit(s[k])) ++k;
    out.fractionDigits = s.substr(fracStart, k - fracStart);
  }
  if (out.integerDigits.empty() && out.fractionDigits.empty()) return false;
  if (k < s.size() && (s[k] == 'e' || s[k] == 'E')) {
    ++k;
    bool negativeExponent = false;
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) negativeExponent = s[k++] == '-';
    if (k == s.size() || !IsDigit(s[k])) return false;
    long long e = 0;
    for (; k < s.size() && IsDigit(s[k]); ++k) e = std::min(e * 10 + (s[k] - '0'), 100000000LL);
    out.exponent = negativeExponent ? -e : e;
  }
  return k == s.size();
}

// Decimal exponent of the leading significant digit, for telling an underflow
// from an overflow. Only asked for a value with a non-zero digit.
long long LeadingDigitExponent(const RealSyntax& r) {
  const std::string_view& i = r.integerDigits;
  const size_t firstNonZero = i.find_first_not_of('0');
  if (firstNonZero != std::string_view::npos)
    return static_cast<long long>(i.size() - firstNonZero) - 1 + r.exponent;
  const size_t f = r.fractionDigits.find_first_not_of('0');
  return -static_cast<long long>(f) - 1 + r.exponent;
}

// The 15 significant digits and the decimal exponent of a finite value, with
// the carry of rounding already done ("9.99999999999999999" gives "1000..." and
// one more in the exponent).
struct Digits15 {
  std::string digits;  // exactly 15 digits, the first non-zero unless the value is 0
  int exponent = 0;    // value = d.dddd... x 10^exponent
};

Digits15 RoundTo15Digits(double magnitude) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
  const std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
  Digits15 d;
  d.digits.reserve(15);
  d.digits += text[0];
  d.digits += text.substr(2, 14);
  const std::string_view exponent = text.substr(17);  // after "d.dddddddddddddde"
  std::from_chars(exponent.data() + (exponent[0] == '+' ? 1 : 0), exponent.data() + exponent.size(), d.exponent);
  return d;
}

}  // namespace

int32_t ReadInteger(std::string_view text) {
  std::string_view s = SkipLeadingBlanks(text);
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) throw Error(messages::NotAnInteger(text));
  long long value = 0;
  for (char c : s) {
    if (!IsDigit(c)) throw Error(messages::NotAnInteger(text));
    value = value * 10 + (c - '0');
    if (value > static_cast<long long>(INT32_MAX) + 1) throw Error(messages::NotAnInteger(text));
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) throw Error(messages::NotAnInteger(text));
  return static_cast<int32_t>(value);
}

double ReadReal(std::string_view text) {
  const std::string_view s = SkipLeadingBlanks(text);
  RealSyntax syntax;
  if (!ParseRealSyntax(s, syntax)) throw Error(messages::NotAReal(text));
  // from_chars takes no "+" sign; the syntax is already known to be plain decimal.
  const std::string_view unsigned_ = s.substr(s[0] == '+' || s[0] == '-' ? 1 : 0);
  double value = 0.0;
  const auto result = std::from_chars(unsigned_.data(), unsigned_.data() + unsigned_.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    if (LeadingDigitExponent(syntax) > 0) throw Error(messages::NotAReal(text));
    value = 0.0;
  } else if (result.ec != std::errc() || result.ptr != unsigned_.data() + unsigned_.size()) {
    throw Error(messages::NotAReal(text));
  }
  return syntax.negative ? -value : value;
}

std::string FormatRealField(double value) {
  std::string field = std::signbit(value) ? "-" : " ";
  if (!std::isfinite(value)) {
    field += std::isnan(value) ? "NAN" : "INF";
    field.insert(0, RealFieldWidth - field.size(), ' ');
    return field;
  }
  const Digits15 d = RoundTo15Digits(std::fabs(value));
  field += d.digits[0];
  field += '.';
  field.append(d.digits, 1, 14);
  field += 'E';
  field += d.exponent < 0 ? '-' : '+';
  std::string exponent = FormatInteger(d.exponent < 0 ? -d.exponent : d.exponent);
  field.append(4 - exponent.size(), '0');
  field += exponent;
  return field;
}

std::string FormatGeneral(double value) {
  if (value == 0.0) return "0";
  if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
  const Digits15 d = RoundTo15Digits(std::fabs(value));
  const std::string digits = d.digits.substr(0, d.digits.find_last_not_of('0') + 1);
  std::string text = value < 0 ? "-" : "";
  if (d.exponent >= -4 && d.exponent < 15) {
    if (d.exponent < 0) {
      text.append("0.").append(static_cast<size_t>(-d.exponent - 1), '0').append(digits);
    } else {
      const size_t integerDigits = static_cast<size_t>(d.exponent) + 1;
      text.append(digits, 0, integerDigits);
      if (digits.size() <= integerDigits)
        text.append(integerDigits - digits.size(), '0');
      else
        text.append(1, '.').append(digits, integerDigits);
    }
    return text;
  }
  text.append(digits, 0, 1);
  if (digits.size() > 1) text.append(1, '.').append(digits, 1);
  text.append(1, 'E').append(FormatInteger(d.exponent));
  return text;
}

std::string FormatShortest(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string FormatSignificant(double value, int digits) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  return std::string(buffer, result.ptr);
}

std::string FormatInteger(long long value, int width) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
  return text;
}

}  // namespace trivane
