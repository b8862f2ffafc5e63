#pragma once

// Includes nothing, as the host's own does: include it after bakkesmodplugin.h, which brings
// <string> and <cstdint>.

namespace BakkesMod::Plugin {

// A plugin that has a page in the host's settings window.
class PluginSettingsWindow {
 public:
  virtual ~PluginSettingsWindow() = default;
  virtual void RenderSettings() = 0;
  virtual std::string GetPluginName() = 0;
  virtual void SetImGuiContext(std::uintptr_t ctx) = 0;
};

}  // namespace BakkesMod::Plugin
