#include "AppDataFolder.h"

#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#include "Faults.h"

namespace rafta::sim {
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

AppDataFolder::~AppDataFolder() {
  if (owned_) {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
}

const std::filesystem::path& AppDataFolder::path() const { return path_; }

void AppDataFolder::publish() const {
  ::setenv("APPDATA", path_.c_str(), 1);  // NOLINT(concurrency-mt-unsafe): the host has one thread
}

}  // namespace rafta::sim
