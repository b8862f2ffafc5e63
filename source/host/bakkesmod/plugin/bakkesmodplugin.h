#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "bakkesmod/plugin/bakkesmodsdk.h"
#include "bakkesmod/wrappers/GameWrapper.h"
#include "bakkesmod/wrappers/cvarmanagerwrapper.h"

namespace BakkesMod::Plugin {

using GetPluginFunc = std::uintptr_t (*)();
using deleteFunc = void (*)();

// The record a plugin module exports as `exports`; the host reads it before anything else.
struct PluginInfo {
  short apiBuildVersion;
  const char* fileName;
  const char* className;
  const char* pluginName;
  const char* pluginVersion;
  const unsigned long pluginType;
  GetPluginFunc initializeFunc;
  deleteFunc delFunc;
};

// The same 64 bytes on Windows (4-byte long, then padding) as on Linux (8-byte long).
static_assert(sizeof(void*) == 8, "the host is a 64-bit program");
static_assert(sizeof(PluginInfo) == 64);
static_assert(offsetof(PluginInfo, apiBuildVersion) == 0);
static_assert(offsetof(PluginInfo, fileName) == 8);
static_assert(offsetof(PluginInfo, className) == 16);
static_assert(offsetof(PluginInfo, pluginName) == 24);
static_assert(offsetof(PluginInfo, pluginVersion) == 32);
static_assert(offsetof(PluginInfo, pluginType) == 40);
static_assert(offsetof(PluginInfo, initializeFunc) == 48);
static_assert(offsetof(PluginInfo, delFunc) == 56);

// Every plugin's first base: the host reads the plugin handle as a shared pointer to this class
// and fills both handles after getPlugin and before onLoad. Defined here and exported by the
// plugin itself, not by the host's library.
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor): the host's ABI has it non-virtual
class BAKKESMOD_PLUGIN_EXPORT BakkesModPlugin {
 public:
  std::shared_ptr<CVarManagerWrapper> cvarManager;
  std::shared_ptr<GameWrapper> gameWrapper;
  virtual void onLoad() {}
  virtual void onUnload() {}
};

}  // namespace BakkesMod::Plugin

// The module's entry points and export record: getPlugin makes the one plugin object and hands
// out the address of its handle, deleteMe lets it go.
#define BAKKESMOD_PLUGIN(classType, pluginName, pluginVersion, pluginType)                       \
  static std::shared_ptr<classType> singleton;                                                   \
  extern "C" {                                                                                   \
  BAKKESMOD_PLUGIN_EXPORT std::uintptr_t getPlugin() {                                           \
    if (!singleton) {                                                                            \
      singleton = std::shared_ptr<classType>(new classType());                                   \
    }                                                                                            \
    return reinterpret_cast<std::uintptr_t>(&singleton);                                         \
  }                                                                                              \
  BAKKESMOD_PLUGIN_EXPORT void deleteMe() { singleton = nullptr; }                               \
  BAKKESMOD_PLUGIN_EXPORT BakkesMod::Plugin::PluginInfo exports = {BAKKESMOD_PLUGIN_API_VERSION, \
                                                                   __FILE__,                     \
                                                                   #classType,                   \
                                                                   pluginName,                   \
                                                                   pluginVersion,                \
                                                                   pluginType,                   \
                                                                   &getPlugin,                   \
                                                                   &deleteMe};                   \
  }
