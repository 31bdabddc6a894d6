// The program's number rules in one place: a Double becomes an integer by rounding to the nearest
// with halves to even, integer division and mod truncate toward zero, and a conversion or 32-bit
// signed arithmetic that leaves its range raises run-time error 6 (Overflow). Division by zero
// raises run-time error 11. Every routine that computes with these rules calls these helpers instead of
// doing its own checks.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "common/run_time_error.h"

namespace lumaveil::numeric {

[[noreturn]] inline void ThrowOverflow() { throw RunTimeError(error::kOverflow, "Overflow"); }

[[noreturn]] inline void ThrowDivisionByZero() {
  throw RunTimeError(error::kDivisionByZero, "Division by zero");
}

// Nearest integer, halves to the even neighbour, independent of the floating-point environment's
// rounding mode. NaN and infinities are returned unchanged.
inline double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double lower = std::floor(value);
  const double fraction = value - lower;  // exact: value and lower share their exponent range
  if (fraction > 0.5) return lower + 1.0;
  if (fraction < 0.5) return lower;
  return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

namespace detail {
template <typename Int>
Int RoundTo(double value) {
  const double rounded = RoundHalfEven(value);
  // NaN fails both comparisons and so lands in the overflow branch.
  if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
        rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
    ThrowOverflow();
  }
  return static_cast<Int>(rounded);
}

template <typename Int>
Int Narrow(std::int64_t value) {
  if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max()) {
    ThrowOverflow();
  }
  return static_cast<Int>(value);
}
}  // namespace detail

// Double -> 32-bit integer (a Long): nearest, halves to even; out of range or NaN raises error 6.
inline std::int32_t RoundToInt32(double value) { return detail::RoundTo<std::int32_t>(value); }

// Double -> 16-bit integer (an Integer): nearest, halves to even; out of range raises error 6.
inline std::int16_t RoundToInt16(double value) { return detail::RoundTo<std::int16_t>(value); }

namespace detail {
template <typename Int>
Int Add(Int a, Int b) { return Narrow<Int>(std::int64_t{a} + b); }
template <typename Int>
Int Sub(Int a, Int b) { return Narrow<Int>(std::int64_t{a} - b); }
template <typename Int>
Int Mul(Int a, Int b) { return Narrow<Int>(std::int64_t{a} * b); }
template <typename Int>
Int Div(Int dividend, Int divisor) {
  if (divisor == 0) ThrowDivisionByZero();
  return Narrow<Int>(std::int64_t{dividend} / divisor);
}
template <typename Int>
Int Mod(Int dividend, Int divisor) {
  if (divisor == 0) ThrowDivisionByZero();
  return static_cast<Int>(std::int64_t{dividend} % divisor);
}
}  // namespace detail

// Checked 32-bit (Long) arithmetic: the exact result is formed in 64 bits, then range-checked.
inline std::int32_t Add32(std::int32_t a, std::int32_t b) { return detail::Add(a, b); }
inline std::int32_t Sub32(std::int32_t a, std::int32_t b) { return detail::Sub(a, b); }
inline std::int32_t Mul32(std::int32_t a, std::int32_t b) { return detail::Mul(a, b); }

// Integer division truncating toward zero, and its remainder, which takes the dividend's sign
// (-7 mod 3 = -1). A zero divisor raises error 11; the one quotient that leaves the range
// (minimum / -1) raises error 6.
inline std::int32_t Div32(std::int32_t a, std::int32_t b) { return detail::Div(a, b); }
inline std::int32_t Mod32(std::int32_t a, std::int32_t b) { return detail::Mod(a, b); }

}  // namespace lumaveil::numeric
