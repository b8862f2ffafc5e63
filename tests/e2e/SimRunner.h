#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace rafta::testing {

struct SimRun {
  int exitCode = -1;
  std::string out;
  std::string err;
  [[nodiscard]] std::vector<std::string> lines() const;
};

// A scratch app-data folder per test, so that sessions share a configuration only on purpose.
class SimWorkspace {
 public:
  SimWorkspace();
  SimWorkspace(const SimWorkspace&) = delete;
  SimWorkspace& operator=(const SimWorkspace&) = delete;
  ~SimWorkspace();

  [[nodiscard]] const std::filesystem::path& appdata() const { return appdataDir; }
  [[nodiscard]] std::filesystem::path config() const;
  void writeConfig(const std::string& text) const;
  [[nodiscard]] std::string readConfig() const;
  // Plays the script text with rafta-sim, with this workspace's app-data folder.
  SimRun play(const std::string& script, const std::vector<std::string>& options = {}) const;

 private:
  std::filesystem::path root;
  std::filesystem::path appdataDir;
};

}  // namespace rafta::testing
