#include "SavedCopy.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <optional>
#include <system_error>

#include "Platform.h"

namespace rafta {
namespace {

// Nine short lines; anything far larger is not a copy this plugin wrote.
constexpr std::size_t kMostBytes = std::size_t{64} * 1024;

std::optional<std::string> ReadSmallFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string bytes(kMostBytes + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!in.is_open() || in.bad() || static_cast<std::size_t>(in.gcount()) > kMostBytes) {
    return std::nullopt;
  }
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

bool IsNumber(std::string_view text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// The name of a `name "number"` line; empty for any other line.
std::string_view NameOfLine(std::string_view line) {
  const auto blank = line.find(' ');
  if (blank == std::string_view::npos || line.size() < blank + 3 || line[blank + 1] != '"' ||
      line.back() != '"' || !IsNumber(line.substr(blank + 2, line.size() - blank - 3))) {
    return {};
  }
  return line.substr(0, blank);
}

}  // namespace

SavedCopyState InspectSavedCopy(const std::filesystem::path& file,
                                std::span<const std::string_view> names) {
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    return SavedCopyState::Missing;
  }
  const auto bytes = ReadSmallFile(file);
  // A copy cut short ends without its last line's end.
  if (!bytes || !bytes->ends_with('\n')) {
    return SavedCopyState::Damaged;
  }
  std::vector<bool> seen(names.size(), false);
  std::string_view rest = *bytes;
  while (!rest.empty()) {
    const auto end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    const auto name = NameOfLine(line);
    const auto found = std::find(names.begin(), names.end(), name);
    if (name.empty() || found == names.end()) {
      return SavedCopyState::Damaged;
    }
    const auto index = static_cast<std::size_t>(found - names.begin());
    if (seen[index]) {
      return SavedCopyState::Damaged;
    }
    seen[index] = true;
  }
  return std::all_of(seen.begin(), seen.end(), [](bool line) { return line; })
             ? SavedCopyState::Sound
             : SavedCopyState::Damaged;
}

bool WriteSavedCopy(const std::filesystem::path& file, const std::vector<SavedValue>& values) {
  std::string text;
  for (const SavedValue& value : values) {
    text.append(value.name).append(" \"").append(value.value).append("\"\n");
  }
  std::error_code ignored;  // a folder that cannot be made fails the open below
  std::filesystem::create_directories(file.parent_path(), ignored);
  std::filesystem::path temporary = file;
  temporary += ".new";
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (out.fail() || !platform::RenameReplacing(temporary, file)) {
    std::filesystem::remove(temporary, ignored);
    DiscardSavedCopy(file);
    return false;
  }
  return true;
}

void DiscardSavedCopy(const std::filesystem::path& file) noexcept {
  std::error_code ignored;  // a copy that cannot be removed either is beyond the plugin's reach
  std::filesystem::remove(file, ignored);
}

}  // namespace rafta
