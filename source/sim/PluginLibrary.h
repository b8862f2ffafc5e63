#pragma once

#include "PluginBase.h"

namespace rafta::sim {

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

}  // namespace rafta::sim
