#include "sim/pictures/FramePicture.h"

#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "sim/canvas/HostFont.h"
#include "sim/pictures/DrawListRaster.h"
#include "sim/text/Text.h"

namespace rafta::sim {
namespace {

constexpr Vector2 kFallbackSize{1920, 1080};
// Nothing is cut before the raster clips to the picture, not even text that scaling moves in.
constexpr float kFar = 1.0e7F;

ImU32 channel(float value, unsigned shift) {
  // Also maps NaN to 0.
  const float clamped = value > 0.0F ? std::fmin(value, 255.0F) : 0.0F;
  return static_cast<ImU32>(std::lround(clamped)) << shift;
}

ImU32 packColour(const LinearColor& colour) {
  return channel(colour.R, IM_COL32_R_SHIFT) | channel(colour.G, IM_COL32_G_SHIFT) |
         channel(colour.B, IM_COL32_B_SHIFT) | channel(colour.A, IM_COL32_A_SHIFT);
}

ImVec2 point(const canvas::Point& p) {
  const Vector2F v = canvas::toFloat(p);
  return {v.X, v.Y};
}

ImTextureID textureIdOf(const Image& image) {
  // The id is only a key; nothing writes through it.
  return const_cast<Image*>(&image);  // NOLINT(cppcoreguidelines-pro-type-const-cast)
}

// Stretches the glyph vertices from `first` on around the text's origin.
void scaleText(ImDrawList& list, int first, ImVec2 origin, float xScale, float yScale) {
  for (int i = first; i < list.VtxBuffer.Size; ++i) {
    ImVec2& pos = list.VtxBuffer[i].pos;
    pos = {origin.x + (pos.x - origin.x) * xScale, origin.y + (pos.y - origin.y) * yScale};
  }
}

// Turns the canvas calls into draw-list shapes, keeping the canvas's colour and position.
class Replay {
 public:
  Replay(ImDrawList& list, DrawListRaster& raster) : list_(list), raster_(raster) {}

  void operator()(const canvas::SetColor& c) { colour_ = packColour(c.color); }
  void operator()(const canvas::SetPosition& c) { position_ = {c.position.X, c.position.Y}; }
  void operator()(const canvas::MeasureString& /*c*/) {}
  void operator()(const canvas::FillBox& c) {
    list_.AddRectFilled(position_, corner(c.size), colour_);
  }
  void operator()(const canvas::DrawBox& c) { list_.AddRect(position_, corner(c.size), colour_); }
  void operator()(const canvas::DrawLine& c) {
    list_.AddLine(point(c.start), point(c.end), colour_, c.width.value_or(1.0F));
  }
  // The canvas fills the rectangle between the two points.
  void operator()(const canvas::DrawRect& c) {
    list_.AddRectFilled(point(c.start), point(c.end), colour_);
  }
  void operator()(const canvas::DrawString& c) {
    // Glyphs sit on whole pixels, as the font's own layout places them.
    const ImVec2 origin(std::trunc(position_.x), std::trunc(position_.y));
    const auto utf8 = windows1252ToUtf8(c.text);
    if (c.dropShadow) {
      text(c, utf8, ImVec2(origin.x + 1.0F, origin.y + 1.0F), colour_ & IM_COL32_A_MASK);
    }
    text(c, utf8, origin, colour_);
  }
  // A picture that was not loaded for the canvas draws nothing.
  void operator()(const canvas::DrawTexture& c) {
    if (c.picture) {
      picture(*c.picture, Vector2F{static_cast<float>(c.picture->width) * c.scale,
                                   static_cast<float>(c.picture->height) * c.scale});
    }
  }
  void operator()(const canvas::DrawRectOfImage& c) {
    if (c.picture) {
      picture(*c.picture, c.size);
    }
  }

 private:
  [[nodiscard]] ImVec2 corner(Vector2F size) const {
    return {position_.x + size.X, position_.y + size.Y};
  }

  void text(const canvas::DrawString& c, const std::string& utf8, ImVec2 origin, ImU32 colour) {
    const auto& font = HostFont::instance().font();
    const int first = list_.VtxBuffer.Size;
    list_.AddText(&font, font.FontSize, origin, colour, utf8.data(), utf8.data() + utf8.size());
    scaleText(list_, first, origin, c.xScale, c.yScale);
  }

  void picture(const Image& image, Vector2F size) {
    raster_.addTexture(textureIdOf(image), image);
    list_.AddImage(textureIdOf(image), position_, corner(size), ImVec2(0.0F, 0.0F),
                   ImVec2(1.0F, 1.0F), colour_);
  }

  ImDrawList& list_;
  DrawListRaster& raster_;
  ImU32 colour_ = IM_COL32_WHITE;
  ImVec2 position_{0.0F, 0.0F};
};

}  // namespace

Vector2 paintedSize(Vector2 reported) {
  const Vector2 size = reported.X > 0 && reported.Y > 0 ? reported : kFallbackSize;
  return {std::min(size.X, kMostPaintedSide), std::min(size.Y, kMostPaintedSide)};
}

Image paintFrame(const Canvas& frame) {
  const Vector2 size = paintedSize(frame.size());
  const auto& font = HostFont::instance();
  DrawListRaster raster(size.X, size.Y, kDarkScreen);
  raster.addTexture(font.textureId(), font.texture());

  ImDrawListSharedData shared;
  shared.TexUvWhitePixel = font.whiteTexel();
  // No anti-aliasing: edges fall on whole pixels, as the canvas paints them.
  shared.InitialFlags = ImDrawListFlags_AllowVtxOffset;
  ImDrawList list(&shared);
  list._ResetForNewFrame();
  list.PushClipRect(ImVec2(-kFar, -kFar), ImVec2(kFar, kFar));
  list.PushTextureID(font.textureId());
  Replay replay(list, raster);
  for (const auto& call : frame.calls()) {
    std::visit(replay, call);
  }
  raster.draw(list);
  return raster.image();
}

}  // namespace rafta::sim
