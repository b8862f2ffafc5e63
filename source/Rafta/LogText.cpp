#include "LogText.h"

#include <cstdio>

namespace rafta {

std::string Fixed6(double value) {
  // "%f" of the largest double has over 300 digits: measure first.
  const int length = std::snprintf(nullptr, 0, "%f", value);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%f", value);
  text.pop_back();
  return text;
}

}  // namespace rafta
