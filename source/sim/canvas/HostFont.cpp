#include "sim/canvas/HostFont.h"

#include <cfloat>

#include "sim/text/Text.h"

namespace rafta::sim {
namespace {

// The built-in font leaves a row empty above its glyphs, so that descenders spill one row below
// the line; the canvas covers exactly the size it measures.
constexpr float kEmptyTopRows = 1.0F;

}  // namespace

HostFont::HostFont() : font_(atlas_.AddFontDefault()), texture_(atlasImage(atlas_)) {
  atlas_.SetTexID(&texture_);
  for (ImFontGlyph& glyph : font_->Glyphs) {
    glyph.Y0 -= kEmptyTopRows;
    glyph.Y1 -= kEmptyTopRows;
  }
}

const HostFont& HostFont::instance() {
  static const HostFont font;
  return font;
}

Vector2F HostFont::measure(const std::string& text, float xScale, float yScale) const {
  const auto utf8 = windows1252ToUtf8(text);
  const ImVec2 size =
      font_->CalcTextSizeA(font_->FontSize, FLT_MAX, 0.0F, utf8.data(), utf8.data() + utf8.size());
  return {size.x * xScale, size.y * yScale};
}

const ImFont& HostFont::font() const { return *font_; }

const Image& HostFont::texture() const { return texture_; }

ImTextureID HostFont::textureId() const { return atlas_.TexID; }

ImVec2 HostFont::whiteTexel() const { return atlas_.TexUvWhitePixel; }

}  // namespace rafta::sim
