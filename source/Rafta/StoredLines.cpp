#include "StoredLines.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

namespace rafta {
namespace {

// The host's configuration holds every plugin's variables and its binds; anything far larger is
// not a cfg file.
constexpr std::size_t kMostBytes = std::size_t{16} * 1024 * 1024;
constexpr std::string_view kBlanks = " \t";

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::optional<std::size_t> StoredIndexOf(std::string_view name) {
  const auto& variables = StoredVariables();
  for (std::size_t i = 0; i < variables.size(); ++i) {
    if (name == variables[i].name) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<double> FiniteNumber(std::string_view text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// The value of a `"value"` optionally followed by a `//` note; nothing for anything else.
std::optional<double> QuotedValue(std::string_view rest) {
  if (!rest.starts_with('"')) {
    return std::nullopt;
  }
  const auto close = rest.find('"', 1);
  if (close == std::string_view::npos) {
    return std::nullopt;
  }
  const std::string_view after = Trimmed(rest.substr(close + 1));
  if (!after.empty() && !after.starts_with("//")) {
    return std::nullopt;
  }
  return FiniteNumber(rest.substr(1, close - 1));
}

void ReadLine(std::string_view line, StoredLines& lines) {
  if (line.ends_with('\r')) {
    line.remove_suffix(1);
  }
  line = Trimmed(line);
  if (line.empty() || line.starts_with("//")) {
    return;
  }
  const auto blank = line.find_first_of(kBlanks);
  const auto index = StoredIndexOf(line.substr(0, blank));
  if (!index) {
    return;  // another plugin's, the host's own, or not a variable at all
  }
  const auto value =
      blank == std::string_view::npos ? std::nullopt : QuotedValue(Trimmed(line.substr(blank)));
  if (value && IsSound(StoredVariables()[*index], *value)) {
    lines.values.at(*index) = value;
  } else {
    lines.unsound = true;
  }
}

void AppendNumber(std::string& text, double value, bool decimal) {
  std::array<char, 32> digits{};
  char* const start = digits.data();
  char* const end =
      decimal ? std::to_chars(start, start + digits.size(), static_cast<float>(value)).ptr
              : std::to_chars(start, start + digits.size(), static_cast<std::int32_t>(value)).ptr;
  text.append(start, end);
}

}  // namespace

StoredLines ReadStoredLines(const std::filesystem::path& file) {
  StoredLines lines;
  const platform::FileRead read = platform::ReadRegularFile(file, kMostBytes);
  lines.file = read.status;
  std::string_view rest = read.bytes;
  // Editors on Windows start UTF-8 files with a byte-order mark.
  if (rest.starts_with("\xEF\xBB\xBF")) {
    rest.remove_prefix(3);
  }
  while (!rest.empty()) {
    const auto end = rest.find('\n');
    ReadLine(rest.substr(0, end), lines);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  return lines;
}

void WriteStoredLines(const StoredNumbers& values, std::string& text) {
  text.clear();
  const auto& variables = StoredVariables();
  for (std::size_t i = 0; i < variables.size(); ++i) {
    text.append(variables[i].name).append(" \"");
    AppendNumber(text, values[i], variables[i].decimal);
    text.append("\"\n");
  }
}

}  // namespace rafta
