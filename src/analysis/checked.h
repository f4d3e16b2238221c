#pragma once
// Arithmetic that reports the floating-point faults the hardware does not trap.
// Operands are finite (every result is checked as it is formed), so an infinite
// or NaN result can only come from the fault named here.
#include <cmath>

#include "model/errors.h"

namespace trivane::checked {

[[noreturn]] inline void Overflowed() { throw Error(messages::Overflow); }

inline double Finite(double value) {
  if (!std::isfinite(value)) Overflowed();
  return value;
}

inline double Add(double a, double b) { return Finite(a + b); }
inline double Sub(double a, double b) { return Finite(a - b); }
inline double Mul(double a, double b) { return Finite(a * b); }

inline double Div(double a, double b) {
  if (b == 0.0) throw Error(a == 0.0 ? messages::InvalidOperation : messages::DivisionByZero);
  return Finite(a / b);
}

}  // namespace trivane::checked
