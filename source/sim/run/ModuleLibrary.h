#pragma once

#include <filesystem>

#include "sim/host/PluginLibrary.h"

namespace rafta::sim {

// A plugin module file, loaded with the system's dynamic loader.
class ModuleLibrary final : public PluginLibrary {
 public:
  explicit ModuleLibrary(std::filesystem::path path);
  ModuleLibrary(const ModuleLibrary&) = delete;
  ModuleLibrary& operator=(const ModuleLibrary&) = delete;
  ~ModuleLibrary() override;

  BakkesMod::Plugin::PluginInfo& open() override;
  void close() override;

 private:
  void* symbol(const char* name);

  std::filesystem::path path_;
  void* handle_ = nullptr;
};

}  // namespace rafta::sim
