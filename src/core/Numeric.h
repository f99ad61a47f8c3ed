// Float-to-integer conversions used for pixel positions, pattern numbers and displays.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace tvx {

// Rounds toward zero; values outside the 32-bit range saturate instead of overflowing.
inline std::int32_t Trunc(double x) {
  if (std::isnan(x)) return 0;
  if (x >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (x <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(x);
}

// Rounds to the nearest integer, halves to even (banker's rounding).
inline std::int64_t RoundHalfEven(double x) {
  if (std::isnan(x)) return 0;
  const double r = std::nearbyint(x);  // the default rounding mode takes halves to even
  return static_cast<std::int64_t>(r);
}

}  // namespace tvx
