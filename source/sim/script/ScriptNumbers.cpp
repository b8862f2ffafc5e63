#include "sim/script/ScriptNumbers.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <system_error>

namespace rafta::sim {
namespace {

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::string_view withoutPlus(std::string_view text) {
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
    text.remove_prefix(1);
  }
  return text;
}

// The whole text read as a finite number.
std::optional<double> wholeNumber(std::string_view text) {
  text = withoutPlus(text);
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

bool isDecimal(std::string_view text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    text.remove_prefix(1);
  }
  bool digits = false;
  bool point = false;
  for (const char c : text) {
    if (isDigit(c)) {
      digits = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

}  // namespace

std::optional<double> parseDecimal(std::string_view text) {
  return isDecimal(text) ? wholeNumber(text) : std::nullopt;
}

bool sameValue(std::string_view expected, std::string_view found) {
  const auto a = wholeNumber(expected);
  const auto b = wholeNumber(found);
  return a && b ? *a == *b : expected == found;
}

}  // namespace rafta::sim
