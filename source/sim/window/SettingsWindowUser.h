#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/window/ImGuiInput.h"
#include "sim/window/SettingsWindow.h"

namespace rafta::sim {

// Someone at the host's settings window, working the plugin's page with the mouse and the keyboard
// through Dear ImGui's own input. Each gesture draws as many pages as it needs. A widget is found
// by the label the page gives it; what cannot be found is a ScriptError that starts with the
// script command's name.
class SettingsWindowUser {
 public:
  SettingsWindowUser(SettingsWindow& window, BakkesMod::Plugin::PluginSettingsWindow& page,
                     std::string command);

  // Draws that many pages with no input.
  void look(int pages);
  // Presses and releases the mouse on the button or checkbox with that label.
  void click(const std::string& label);
  // Drags the slider with that label to the pixel of the value, then enters the value exactly by
  // ctrl+click and typing.
  void slide(const std::string& label, double value);
  // Presses the slider with that label at the first fraction of its travel (0 its left end, 1 its
  // right end), moves through the others a page each, and lets go: one drag of many steps.
  void drag(const std::string& label, const std::vector<double>& fractions);
  // Opens the page's style combo and clicks the item with that text.
  void choose(const std::string& item);

 private:
  struct Widget {
    ImGuiID id = 0;
    ImRect box;
  };

  void draw(const ImGuiInput& input = {});
  void pressAndRelease(ImVec2 at);
  [[nodiscard]] ImGuiWindow& pageWindow();
  [[nodiscard]] std::optional<Widget> find(const std::string& label);
  [[nodiscard]] std::optional<ImRect> probe(ImGuiWindow& window, ImGuiID id);
  [[nodiscard]] bool sliding(ImGuiID id) const;
  bool drag(const Widget& slider, double value);
  [[nodiscard]] float pixelOf(const ImRect& frame, double fraction) const;
  [[nodiscard]] std::optional<double> shownNumber(const ImRect& frame) const;
  void enter(const ImRect& frame, double value);
  [[nodiscard]] ImGuiWindow& openList();
  [[noreturn]] void fail(const std::string& message) const;

  SettingsWindow& window_;
  BakkesMod::Plugin::PluginSettingsWindow& page_;
  std::string command_;
};

}  // namespace rafta::sim
