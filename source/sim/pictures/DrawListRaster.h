#pragma once

#include <imgui.h>

#include <array>
#include <cstdint>
#include <map>

#include "sim/canvas/Image.h"

namespace rafta::sim {

// The screen around what a picture shows: neutral and dark.
inline constexpr std::array<std::uint8_t, 4> kDarkScreen{40, 44, 52, 255};

// Paints Dear ImGui draw lists into an image on the CPU, as a renderer backend would on a GPU,
// but deterministically: pixel centres sample the triangles (top-left fill convention), vertex
// colours are interpolated, textures are sampled at the nearest texel and multiplied by the
// vertex colour, and the result is blended "over" what is there. Needs no ImGui context.
class DrawListRaster {
 public:
  DrawListRaster(int width, int height, std::array<std::uint8_t, 4> background);

  // A texture that draw commands name by id (a font atlas, a picture). Not owned: it must outlive
  // the draw calls that use it.
  void addTexture(ImTextureID id, const Image& texture);

  // Throw std::invalid_argument when a command draws with a texture that was never added.
  // Callback commands are skipped.
  void draw(const ImDrawList& list);
  // Every list in order, its coordinates taken relative to DisplayPos, one pixel a unit.
  void draw(const ImDrawData& data);

  [[nodiscard]] const Image& image() const;

 private:
  void drawList(const ImDrawList& list, ImVec2 origin);
  void drawCommand(const ImDrawList& list, const ImDrawCmd& command, ImVec2 origin);

  Image image_;
  std::map<ImTextureID, const Image*> textures_;
};

}  // namespace rafta::sim
