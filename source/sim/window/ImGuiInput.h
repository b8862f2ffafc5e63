#pragma once

#include <string>
#include <vector>

#include <imgui.h>

namespace rafta::sim {

// What the user does during one drawn page: where the mouse is, whether its left button is held,
// the keys held and the characters typed. Anything not named is released.
struct ImGuiInput {
  // Off the screen: the mouse is elsewhere.
  ImVec2 mouse{-FLT_MAX, -FLT_MAX};
  bool mouseDown = false;
  bool ctrl = false;
  std::vector<ImGuiKey> keys;
  std::string typed;
};

// Gives the context a keyboard whose key numbers are Dear ImGui's own, and makes separate
// gestures separate clicks: scripts never mean a double click.
void prepareInput(ImGuiIO& io);

// Hands one page's input to the context; call before NewFrame.
void applyInput(ImGuiIO& io, const ImGuiInput& input);

}  // namespace rafta::sim
