#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "CVarManagerWrapper.h"
#include "GameWrapper.h"
#include "HostApi.h"

namespace BakkesMod::Plugin {

// The host fills both handles after it has obtained the plugin and before it calls onLoad.
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor): the host's ABI has it non-virtual.
class HOST_API BakkesModPlugin {
 public:
  BakkesModPlugin();
  BakkesModPlugin(const BakkesModPlugin& other);
  BakkesModPlugin(BakkesModPlugin&& other) noexcept;
  BakkesModPlugin& operator=(const BakkesModPlugin& other);
  BakkesModPlugin& operator=(BakkesModPlugin&& other) noexcept;
  ~BakkesModPlugin();

  virtual void onLoad();
  virtual void onUnload();

  std::shared_ptr<CVarManagerWrapper> cvarManager;
  std::shared_ptr<GameWrapper> gameWrapper;
};

// A plugin that has a page in the host's settings window.
class PluginSettingsWindow {
 public:
  PluginSettingsWindow() = default;
  PluginSettingsWindow(const PluginSettingsWindow&) = default;
  PluginSettingsWindow(PluginSettingsWindow&&) = default;
  PluginSettingsWindow& operator=(const PluginSettingsWindow&) = default;
  PluginSettingsWindow& operator=(PluginSettingsWindow&&) = default;
  virtual ~PluginSettingsWindow() = default;
  virtual void RenderSettings() = 0;
  virtual std::string GetPluginName() = 0;
  virtual void SetImGuiContext(std::uintptr_t context) = 0;
};

// The record a plugin module exports as `exports`; the host reads it before anything else.
// The 32-bit numbers occupy the low half of an 8-byte slot whose high half is zero.
struct PluginInfo {
  std::int32_t apiBuildVersion;
  std::int32_t apiBuildVersionHigh;
  const char* fileName;
  const char* className;
  const char* pluginName;
  const char* pluginVersion;
  std::int32_t pluginType;
  std::int32_t pluginTypeHigh;
  std::uintptr_t (*initializeFunc)();
  void (*deleteFunc)();
};

static_assert(sizeof(void*) == 8, "the host is a 64-bit program");
static_assert(sizeof(PluginInfo) == 64);
static_assert(offsetof(PluginInfo, fileName) == 8);
static_assert(offsetof(PluginInfo, className) == 16);
static_assert(offsetof(PluginInfo, pluginName) == 24);
static_assert(offsetof(PluginInfo, pluginVersion) == 32);
static_assert(offsetof(PluginInfo, pluginType) == 40);
static_assert(offsetof(PluginInfo, initializeFunc) == 48);
static_assert(offsetof(PluginInfo, deleteFunc) == 56);

// What the host reads through the address that getPlugin returns.
using PluginHandle = std::shared_ptr<BakkesModPlugin>;

}  // namespace BakkesMod::Plugin
