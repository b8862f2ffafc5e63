#pragma once

#include <filesystem>

namespace rafta::sim {

// The folder the host reports as the user's roaming application data: the one given, made
// absolute, or a fresh one made for the run and removed with this object. On Windows, the one
// the shell reports; none may be given.
class AppDataFolder {
 public:
  explicit AppDataFolder(const std::filesystem::path& given);
  AppDataFolder(const AppDataFolder&) = delete;
  AppDataFolder& operator=(const AppDataFolder&) = delete;
  ~AppDataFolder();

  [[nodiscard]] const std::filesystem::path& path() const;
  // The plugin's stand-in for the Windows folder query reads APPDATA; on Windows the plugin asks
  // the shell itself.
  void publish() const;

 private:
  std::filesystem::path path_;
  bool owned_ = false;
};

}  // namespace rafta::sim
