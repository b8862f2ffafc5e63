#include "sim/window/ImGuiInput.h"

#include <algorithm>

namespace rafta::sim {

void prepareInput(ImGuiIO& io) {
  for (int key = 0; key < ImGuiKey_COUNT; ++key) {
    io.KeyMap[key] = key;
  }
  io.MouseDoubleClickTime = 0.0F;
}

void applyInput(ImGuiIO& io, const ImGuiInput& input) {
  io.MousePos = input.mouse;
  std::fill(std::begin(io.MouseDown), std::end(io.MouseDown), false);
  io.MouseDown[0] = input.mouseDown;
  io.KeyCtrl = input.ctrl;
  std::fill(std::begin(io.KeysDown), std::end(io.KeysDown), false);
  for (const auto key : input.keys) {
    io.KeysDown[io.KeyMap[key]] = true;
  }
  io.AddInputCharactersUTF8(input.typed.c_str());
}

}  // namespace rafta::sim
