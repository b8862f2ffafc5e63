#pragma once

#include <string>
#include <string_view>

namespace rafta {

// Floating-point values in log lines: fixed notation, six decimals ("%f").
std::string Fixed6(double value);

// One log line from its pieces, built in one allocation.
template <typename... Pieces>
std::string Concat(const Pieces&... pieces) {
  const std::string_view views[] = {std::string_view(pieces)...};  // NOLINT(*-avoid-c-arrays)
  std::size_t size = 0;
  for (const std::string_view view : views) {
    size += view.size();
  }
  std::string line;
  line.reserve(size);
  for (const std::string_view view : views) {
    line += view;
  }
  return line;
}

// Booleans in log lines are numbers, never words.
inline const char* Bit(bool value) { return value ? "1" : "0"; }

}  // namespace rafta
