#include "Platform.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
// windows.h first: shlobj.h needs its types.
#include <shlobj.h>
#else
#include <cstdio>
#include <cstdlib>
#endif

namespace rafta::platform {

#if defined(_WIN32)

std::optional<std::string> RoamingAppDataFolder() {
  char folder[MAX_PATH] = {};  // NOLINT(*-avoid-c-arrays): the shell's buffer
  if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, folder) != S_OK) {
    return std::nullopt;
  }
  return std::string(folder);
}

void ReportWithoutConsole(std::string_view message) {
  const std::string line = std::string(message) + "\n";
  OutputDebugStringA(line.c_str());
}

bool RenameReplacing(const std::filesystem::path& from, const std::filesystem::path& to) noexcept {
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

#else

// Stands in for the shell's folder query: the host exports the folder as it would on Windows.
std::optional<std::string> RoamingAppDataFolder() {
  const char* folder = std::getenv("APPDATA");  // NOLINT(concurrency-mt-unsafe): read once per load
  if (folder == nullptr || *folder == '\0') {
    return std::nullopt;
  }
  return std::string(folder);
}

void ReportWithoutConsole(std::string_view message) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
}

bool RenameReplacing(const std::filesystem::path& from, const std::filesystem::path& to) noexcept {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

#endif

bool PathExists(const std::string& windowsPath) noexcept {
  try {
    std::string nativePath = windowsPath;
#if !defined(_WIN32)
    std::replace(nativePath.begin(), nativePath.end(), '\\', '/');
#endif
    std::error_code error;  // access denied and the like: absent, as far as the plugin can tell
    return std::filesystem::exists(std::filesystem::path(nativePath), error);
  } catch (...) {  // only allocation can fail here; absent is the safe answer
    return false;
  }
}

}  // namespace rafta::platform
