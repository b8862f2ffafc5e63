#include "sim/numbers/Numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace rafta::sim {
namespace {

// from_chars reports a value too large or too small for a double without giving it; decide which
// one it was from the written digits.
double outOfRange(std::string_view number) {
  const bool negative = number.starts_with('-');
  const auto exponent = number.find_first_of("eE");
  bool large = false;
  if (exponent != std::string_view::npos) {
    large = number.substr(exponent + 1).find('-') == std::string_view::npos;
  } else {
    large = number.substr(0, number.find('.')).find_first_of("123456789") != std::string_view::npos;
  }
  const double magnitude = large ? std::numeric_limits<double>::infinity() : 0.0;
  return negative ? -magnitude : magnitude;
}

}  // namespace

double readNumber(std::string_view text) {
  const auto start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) {
    return 0.0;
  }
  text.remove_prefix(start);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
    text.remove_prefix(1);
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    return outOfRange(text.substr(0, static_cast<std::size_t>(end - text.data())));
  }
  return error == std::errc{} ? value : 0.0;
}

float toFloat(double value) {
  constexpr double largest = std::numeric_limits<float>::max();
  // Beyond the largest float by less than half its last place still rounds down to it.
  constexpr double roundsToLargest = largest + 0x1p103;
  const double magnitude = std::fabs(value);
  if (magnitude > largest) {
    const float saturated = magnitude < roundsToLargest ? std::numeric_limits<float>::max()
                                                        : std::numeric_limits<float>::infinity();
    return value < 0.0 ? -saturated : saturated;
  }
  return static_cast<float>(value);  // NaN stays NaN
}

std::string shortestText(float value) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return {buffer.data(), result.ptr};
}

int toInt(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
    return std::numeric_limits<int>::max();
  }
  if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
    return std::numeric_limits<int>::min();
  }
  return static_cast<int>(value);
}

std::int64_t toMicroseconds(double seconds) {
  if (!(seconds > 0.0)) {
    return 0;
  }
  const double micros = std::round(seconds * 1e6);
  return micros >= static_cast<double>(kNever) ? kNever : static_cast<std::int64_t>(micros);
}

std::int64_t later(std::int64_t time, std::int64_t span) {
  return time >= kNever - span ? kNever : time + span;
}

}  // namespace rafta::sim
