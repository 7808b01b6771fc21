#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace quillmere::richtext {

// a × b / c rounded to the nearest integer, halves away from zero, as the
// platform's MulDiv; -1 for c = 0 and results that an int cannot hold.
inline int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const std::int64_t magnitude = (product < 0 ? -product : product);
  const std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
  const std::int64_t rounded = (magnitude + divisor / 2) / divisor;
  const std::int64_t quotient = (product < 0) != (c < 0) ? -rounded : rounded;
  if (quotient > std::numeric_limits<int>::max() || quotient < std::numeric_limits<int>::min()) {
    return -1;
  }
  return static_cast<int>(quotient);
}

// Rounds to the nearest integer, halves to the even neighbour; values beyond
// ±2^30 (and NaN, as 0) are held to that range.
inline int RoundHalfEven(double value) {
  constexpr double kLimit = 1 << 30;
  if (!(value == value)) return 0;
  if (value > kLimit) value = kLimit;
  if (value < -kLimit) value = -kLimit;
  return static_cast<int>(std::nearbyint(value));
}

// a + b held to the range of an int, for sums over a whole text.
inline int SaturatingAdd(int a, int b) {
  const std::int64_t sum = static_cast<std::int64_t>(a) + b;
  if (sum > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (sum < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(sum);
}

}  // namespace quillmere::richtext
