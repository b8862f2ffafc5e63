#include "sim/run/AppDataFolder.h"

#if defined(_WIN32)
#include <windows.h>
// windows.h first: shlobj.h needs its types.
#include <shlobj.h>
#endif

#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#include "sim/errors/Errors.h"

namespace rafta::sim {

#if defined(_WIN32)

namespace {

std::filesystem::path shellFolder() {
  char folder[MAX_PATH] = {};  // NOLINT(*-avoid-c-arrays): the shell's buffer
  if (::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, folder) != S_OK) {
    throw ScriptError("the shell reports no application-data folder");
  }
  return folder;
}

}  // namespace

// The plugin asks the shell for the same folder, so the host cannot choose another one.
AppDataFolder::AppDataFolder(const std::filesystem::path& given) : path_(shellFolder()) {
  if (!given.empty()) {
    throw ScriptError("--appdata is refused on Windows: the shell reports the folder (" +
                      path_.string() + ")");
  }
}

void AppDataFolder::publish() const {}

#else

namespace {

std::filesystem::path makeTemporaryFolder() {
  std::error_code error;
  auto base = std::filesystem::temp_directory_path(error);
  if (error) {
    base = "/tmp";
  }
  const std::string pattern = (base / "rafta-sim-XXXXXX").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (::mkdtemp(name.data()) == nullptr) {
    throw ScriptError("cannot make an application-data folder in " + base.string());
  }
  return name.data();
}

}  // namespace

AppDataFolder::AppDataFolder(const std::filesystem::path& given) {
  if (given.empty()) {
    path_ = makeTemporaryFolder();
    owned_ = true;
  } else {
    path_ = std::filesystem::absolute(given);
  }
}

void AppDataFolder::publish() const {
  ::setenv("APPDATA", path_.c_str(), 1);  // NOLINT(concurrency-mt-unsafe): the host has one thread
}

#endif

AppDataFolder::~AppDataFolder() {
  if (owned_) {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
}

const std::filesystem::path& AppDataFolder::path() const { return path_; }

}  // namespace rafta::sim
