#include "ConfigFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "Faults.h"
#include "Quoted.h"
#include "RegularFile.h"

namespace rafta::sim {
namespace {

constexpr std::string_view kBlanks = " \t";

std::optional<std::pair<std::string, std::string>> parseLine(std::string_view line) {
  const auto nameEnd = line.find_first_of(kBlanks);
  if (nameEnd == 0 || nameEnd == std::string_view::npos) {
    return std::nullopt;
  }
  auto pos = line.find_first_not_of(kBlanks, nameEnd);
  if (pos == std::string_view::npos || line[pos] != '"') {
    return std::nullopt;
  }
  auto value = readQuoted(line, pos);
  if (!value || line.find_first_not_of(kBlanks, pos) != std::string_view::npos) {
    return std::nullopt;
  }
  return std::pair{std::string(line.substr(0, nameEnd)), std::move(*value)};
}

std::string render(const StoredValues& values) {
  std::string text;
  for (const auto& [name, value] : values) {
    text += name + ' ' + quote(value) + '\n';
  }
  return text;
}

// Far beyond any host's configuration; what reads more is no configuration file.
constexpr std::size_t kMostConfigBytes = std::size_t{16} * 1024 * 1024;

[[noreturn]] void fail(const std::filesystem::path& file, const std::string& what) {
  throw std::runtime_error("cannot write " + file.string() + ": " + what);
}

// A uniquely named file in the target's folder, so that the final rename stays on one file system.
std::filesystem::path writeTemporary(const std::filesystem::path& file, const std::string& text) {
  std::string pattern = file.string() + ".tmp-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) {
    fail(file, std::generic_category().message(errno));
  }
#if !defined(_WIN32)
  ::fchmod(fd, 0644);  // mkstemp makes it private; a configuration file is not
#endif
  ::close(fd);
  std::filesystem::path temporary(name.data());
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    fail(file, "short write");
  }
  return temporary;
}

}  // namespace

StoredValues readConfig(const std::filesystem::path& file, const TextSink& warn) {
  const auto contents = readRegularFile(file, kMostConfigBytes);
  switch (contents.status) {
    case FileContents::Status::Read:
      break;
    case FileContents::Status::Missing:
      return {};
    case FileContents::Status::NotRegular:
    case FileContents::Status::TooLarge:
      throw Fault(ExitCode::BadScript, "the configuration file " + file.string() + " " +
                                           contents.why + "; it is left as it is");
    default:
      throw Fault(ExitCode::BadScript, "cannot read the configuration file " + file.string() +
                                           ": " + contents.why + "; it is left as it is");
  }
  StoredValues values;
  std::istringstream in(contents.bytes);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.ends_with('\r')) {
      line.pop_back();
    }
    if (line.find_first_not_of(kBlanks) == std::string::npos) {
      continue;
    }
    if (auto entry = parseLine(line)) {
      values.insert_or_assign(std::move(entry->first), std::move(entry->second));
    } else if (warn) {
      warn(file.string() + ":" + std::to_string(number) + ": malformed line skipped: " + line);
    }
  }
  return values;
}

void writeConfig(const std::filesystem::path& file, const StoredValues& values) {
  std::error_code error;
  if (file.has_parent_path()) {
    std::filesystem::create_directories(file.parent_path(), error);
    if (error) {
      fail(file, error.message());
    }
  }
  const auto temporary = writeTemporary(file, render(values));
  std::filesystem::rename(temporary, file, error);
  if (error) {
    const auto why = error.message();
    std::filesystem::remove(temporary, error);
    fail(file, why);
  }
}

}  // namespace rafta::sim
