#pragma once

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

// Renames `from` over `to`, replacing it in one step; false when the system refused.
bool RenameReplacing(const std::filesystem::path& from, const std::filesystem::path& to) noexcept;

// For the one message that has no host console to go to.
void ReportWithoutConsole(std::string_view message);

}  // namespace rafta::platform
