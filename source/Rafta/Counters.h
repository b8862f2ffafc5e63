#pragma once

#include <cstdint>
#include <limits>

namespace rafta {

// Counters stop at the ends of their range rather than wrap.
constexpr std::int32_t SaturatingAdd(std::int32_t left, std::int32_t right) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  const std::int64_t sum = std::int64_t{left} + right;
  return static_cast<std::int32_t>(sum > kMax ? kMax : (sum < kMin ? kMin : sum));
}

}  // namespace rafta
