#pragma once

#include <filesystem>
#include <string>

namespace rafta::testing {

// A folder of its own for one test, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();
  [[nodiscard]] const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Creates the parent folders as needed.
void writeFile(const std::filesystem::path& file, const std::string& text);
[[nodiscard]] std::string readFile(const std::filesystem::path& file);

}  // namespace rafta::testing
