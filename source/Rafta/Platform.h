#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// What the plugin asks of the operating system directly, outside the host.
namespace rafta::platform {

// The user's roaming application-data folder as the system reports it; nothing when it cannot.
std::optional<std::string> RoamingAppDataFolder();

// Whether a file exists at a Windows path; any failure of the query counts as absent.
bool PathExists(const std::string& windowsPath) noexcept;

// A small file read whole. Only a regular file is read: a pipe or a device at the path is never
// opened in a way that could wait for a writer.
struct FileRead {
  enum class Status : std::uint8_t {
    Read,
    Missing,     // nothing at the path, or no folder where one should be
    Unreadable,  // not a regular file, larger than asked, or a failed read
  };
  Status status = Status::Missing;
  std::string bytes;
};
[[nodiscard]] FileRead ReadRegularFile(const std::filesystem::path& file, std::size_t mostBytes);

// Writes `bytes` to `temporary`, made anew (never written through a link or over a file that stands
// there), and renames it over `file` in one step, so that a kill leaves the old file or the new
// one, never half of one. The folder is made if it is missing. With `flush` both reach the disk
// before this returns; without, the system writes them when it will, as hosts write their own
// files. False when any step failed; the temporary is then removed.
[[nodiscard]] bool ReplaceWholeFile(const std::filesystem::path& temporary,
                                    const std::filesystem::path& file, std::string_view bytes,
                                    bool flush) noexcept;

// A path as a log line shows it: Windows-1252 bytes, '?' for a character the code page lacks.
[[nodiscard]] std::string PathForLog(const std::filesystem::path& path);

// For the one message that has no host console to go to.
void ReportWithoutConsole(std::string_view message);

}  // namespace rafta::platform
