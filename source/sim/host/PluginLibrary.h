#pragma once

#include <memory>

#include "bakkesmod/plugin/bakkesmodplugin.h"

namespace rafta::sim {

// What the host reads through the address that a module's getPlugin returns. The module's own
// handle points at its plugin class, whose first base this is, at the same address.
using PluginHandle = std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin>;

// Where the host gets a plugin's export record: a module file, or a record linked into a test.
class PluginLibrary {
 public:
  PluginLibrary() = default;
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;
  virtual ~PluginLibrary() = default;

  // Loads the library if it is not loaded and returns its `exports` record. Throws ModuleError
  // naming the library and what is missing.
  virtual BakkesMod::Plugin::PluginInfo& open() = 0;
  // Unloads the library; nothing of it may be referenced afterwards.
  virtual void close() = 0;
};

// A plugin's export record linked into the program (a test, a benchmark, the fuzzer) instead of
// loaded from a module file: there is nothing to load or unload.
class LinkedLibrary final : public PluginLibrary {
 public:
  explicit LinkedLibrary(BakkesMod::Plugin::PluginInfo& record) : exports_(record) {}

  BakkesMod::Plugin::PluginInfo& open() override { return exports_; }
  void close() override {}

 private:
  BakkesMod::Plugin::PluginInfo& exports_;
};

}  // namespace rafta::sim
