#pragma once

#include <imgui.h>

#include <cstddef>
#include <string>

#include "bakkesmod/wrappers/wrapperstructs.h"
#include "sim/canvas/Image.h"

namespace rafta::sim {

// The font the host's canvas writes with: Dear ImGui's built-in font, built once with the glyphs
// of its default range (characters outside it show the fallback glyph). Needs no ImGui context.
class HostFont {
 public:
  HostFont(const HostFont&) = delete;
  HostFont& operator=(const HostFont&) = delete;
  ~HostFont() = default;

  [[nodiscard]] static const HostFont& instance();

  // The size DrawString covers with the same text (Windows-1252, as plugins write) and scales.
  [[nodiscard]] Vector2F measure(const std::string& text, float xScale, float yScale) const;

  [[nodiscard]] const ImFont& font() const;
  // The font's atlas, whose id the glyphs' draw commands name; it also holds a white texel.
  [[nodiscard]] const Image& texture() const;
  [[nodiscard]] ImTextureID textureId() const;
  [[nodiscard]] ImVec2 whiteTexel() const;

 private:
  HostFont();

  ImFontAtlas atlas_;
  ImFont* font_ = nullptr;
  Image texture_;
};

// The pixels of a font atlas, which it builds first if need be. Inline, so that each binary reads
// an atlas with its own copy of Dear ImGui.
[[nodiscard]] inline Image atlasImage(ImFontAtlas& atlas) {
  unsigned char* pixels = nullptr;
  Image image;
  atlas.GetTexDataAsRGBA32(&pixels, &image.width, &image.height);
  const auto bytes =
      static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4U;
  image.rgba.assign(pixels, pixels + bytes);
  return image;
}

}  // namespace rafta::sim
