#pragma once

// <cstdint> and <string> for PluginSettingsWindow.h, which, as the host's, includes nothing.
#include <cstdint>
#include <functional>
#include <string>

#include <imgui.h>
#include <imgui_internal.h>

#include "bakkesmod/plugin/PluginSettingsWindow.h"
#include "sim/window/ImGuiInput.h"

namespace rafta::sim {

// The host's settings window: one Dear ImGui context, one fixed window in it, and the plugin's
// page drawn inside that window, one RenderSettings call per drawn page.
class SettingsWindow {
 public:
  // The context's display, the settings window's own screen rather than the game's, is 800 x 480
  // pixels; the window keeps a 10-pixel margin all round.
  static constexpr float kDisplayWidth = 800.0F;
  static constexpr float kDisplayHeight = 480.0F;
  static constexpr float kMargin = 10.0F;

  // Receives every drawn page as Dear ImGui rendered it.
  using PageSink = std::function<void(const ImDrawData&)>;

  SettingsWindow();
  SettingsWindow(const SettingsWindow&) = delete;
  SettingsWindow& operator=(const SettingsWindow&) = delete;
  ~SettingsWindow();

  void setPageSink(PageSink sink);

  // A plugin object was loaded: it is handed the context before its first page.
  void meetNewPlugin();

  // Draws the page once, with that input.
  void draw(BakkesMod::Plugin::PluginSettingsWindow& page, const ImGuiInput& input);

  // Host-side Dear ImGui calls work on this context; call before each.
  void makeCurrent() const;

  [[nodiscard]] ImGuiContext& context() const;
  [[nodiscard]] ImFontAtlas& fonts() const;
  // The font that every page is written in.
  [[nodiscard]] const ImFont& font() const;
  // The window that holds the page; null before the first page.
  [[nodiscard]] ImGuiWindow* window() const;

 private:
  ImGuiContext* context_;
  ImGuiWindow* window_ = nullptr;
  bool introduced_ = false;
  PageSink sink_;
};

}  // namespace rafta::sim
