#include "sim/console/ConfigFile.h"

#include <sys/stat.h>
#include <unistd.h>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "sim/errors/Errors.h"
#include "sim/files/RegularFile.h"
#include "sim/files/WrittenFile.h"
#include "sim/text/Text.h"

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
  if (!value) {
    return std::nullopt;
  }
  // What follows the value may only be a description, which reading ignores.
  const auto rest = line.find_first_not_of(kBlanks, pos);
  if (rest != std::string_view::npos && !line.substr(rest).starts_with("//")) {
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
// A temporary is hidden and carries a mark no user would give a file of theirs, so that the sweep
// takes nothing but what a run of ours left; mkstemp's six characters follow.
constexpr std::string_view kTemporaryMark = ".rafta-sim-temporary-";
constexpr std::size_t kTemporaryTail = 6;

std::string temporaryPrefix(const std::filesystem::path& target) {
  // Appended piece by piece: GCC 12 at -O3 takes `"." + std::string` for an overlapping copy (a
  // false -Wrestrict), which would stop a strict Release build.
  std::string prefix = ".";
  prefix += target.filename().string();
  prefix += kTemporaryMark;
  return prefix;
}

[[noreturn]] void fail(const std::filesystem::path& file, const std::string& what) {
  throw std::runtime_error("cannot write " + file.string() + ": " + what);
}

// The file a link leads to, so that a write replaces the target and the link stays a link. A
// missing target is the file to make.
std::filesystem::path linkTarget(const std::filesystem::path& file) {
  constexpr int kMostLinks = 40;  // as many as the system follows when the file is read
  auto path = file;
  for (int links = 0;; ++links) {
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
      return path;
    }
    if (links == kMostLinks) {
      fail(file, std::generic_category().message(ELOOP));
    }
    const auto next = std::filesystem::read_symlink(path, error);
    if (error) {
      fail(file, error.message());
    }
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
}

// Decided by the file's permission bits, as the user set them: root, whom the system lets write
// anything, still leaves a file alone once its owner has taken the write bit away.
bool markedReadOnly(const std::filesystem::path& target) {
#if defined(_WIN32)
  std::error_code error;
  const auto status = std::filesystem::status(target, error);
  return std::filesystem::exists(status) &&
         (status.permissions() & std::filesystem::perms::owner_write) ==
             std::filesystem::perms::none;
#else
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) {
    return false;  // a file to make
  }
  if (::geteuid() == 0) {
    return (info.st_mode & S_IWUSR) == 0;
  }
  return ::access(target.c_str(), W_OK) != 0 && errno == EACCES;
#endif
}

// A uniquely named file beside the target, so that the final rename stays on one file system,
// with the target's permission bits (a new file's: readable by all).
std::filesystem::path writeTemporary(const std::filesystem::path& target, const std::string& text) {
  std::string pattern = (target.parent_path() / temporaryPrefix(target)).string() + "XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) {
    fail(target, std::generic_category().message(errno));
  }
  std::filesystem::path temporary(name.data());
  bool open = true;
  try {
#if defined(_WIN32)
    ::_setmode(fd, _O_BINARY);
#else
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
      ::fchmod(fd, existing.st_mode & 07777U);
      // Root rewriting a user's file leaves it the user's; should that fail, the bits still hold.
      const int owned = ::fchown(fd, existing.st_uid, existing.st_gid);
      static_cast<void>(owned);
    } else {
      ::fchmod(fd, 0644);  // mkstemp makes it private; a configuration file is not
    }
#endif
    if (const auto why = writeAll(fd, text); !why.empty()) {
      fail(target, why);
    }
    open = false;
    if (::close(fd) != 0) {
      fail(target, std::generic_category().message(errno));
    }
  } catch (...) {
    if (open) {
      ::close(fd);
    }
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw;
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
      throw RunError(ExitCode::BadScript, "the configuration file " + file.string() + " " +
                                              contents.why + "; it is left as it is");
    default:
      throw RunError(ExitCode::BadScript, "cannot read the configuration file " + file.string() +
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
  const auto target = linkTarget(file);
  if (markedReadOnly(target)) {
    fail(file, "the file is read-only; it is left as it is");
  }
  std::error_code error;
  if (target.has_parent_path()) {
    std::filesystem::create_directories(target.parent_path(), error);
    if (error) {
      fail(file, error.message());
    }
  }
  const auto temporary = writeTemporary(target, render(values));
  std::filesystem::rename(temporary, target, error);
  if (error) {
    const auto why = error.message();
    std::filesystem::remove(temporary, error);
    fail(file, why);
  }
}

void removeLeftTemporaries(const std::filesystem::path& file) {
  const auto target = linkTarget(file);
  const auto prefix = temporaryPrefix(target);
  const auto folder = target.has_parent_path() ? target.parent_path() : ".";
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const auto name = entry.path().filename().string();
    const bool ours =
        name.size() == prefix.size() + kTemporaryTail && name.starts_with(prefix) &&
        std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                    [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
    std::error_code ignored;
    if (ours && entry.symlink_status(ignored).type() == std::filesystem::file_type::regular) {
      std::filesystem::remove(entry.path(), ignored);
    }
  }
}

}  // namespace rafta::sim
