#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "ScratchFolder.h"

namespace rafta::testing {

// rafta-sim with an app-data folder of its own, so that sessions share a configuration only on
// purpose.
class SimWorkspace {
 public:
  [[nodiscard]] std::filesystem::path appdata() const { return scratch.path() / "appdata"; }
  [[nodiscard]] std::filesystem::path config() const;
  void writeConfig(const std::string& text) const { writeFile(config(), text); }
  [[nodiscard]] std::string readConfig() const { return readFile(config()); }
  // Plays the script text with this workspace's app-data folder.
  [[nodiscard]] ProgramRun play(const std::string& script,
                                const std::vector<std::string>& options = {}) const;

 private:
  ScratchFolder scratch;
};

}  // namespace rafta::testing
