#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rafta::sim {

// How the console reads a variable's text as a number: leading blanks, then the longest number at
// the front; text without one reads as 0. Overflow reads as an infinity, underflow as 0.
[[nodiscard]] double readNumber(std::string_view text);

// Conversions that stay defined for every input: out-of-range values saturate, NaN becomes 0 for
// integers.
[[nodiscard]] float toFloat(double value);

// The shortest text that reads back as the same float.
[[nodiscard]] std::string shortestText(float value);
[[nodiscard]] int toInt(double value);

// Host time is counted in whole microseconds so that sums of script delays meet timer deadlines
// exactly. Negative or NaN spans count as 0; huge ones saturate at kNever.
inline constexpr std::int64_t kNever = std::int64_t{1} << 61;
[[nodiscard]] std::int64_t toMicroseconds(double seconds);
[[nodiscard]] std::int64_t later(std::int64_t time, std::int64_t span);

}  // namespace rafta::sim
