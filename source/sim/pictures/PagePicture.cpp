#include "sim/pictures/PagePicture.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "sim/pictures/DrawListRaster.h"

namespace rafta::sim {
namespace {

// The screen around the window: neutral and dark.
constexpr std::array<std::uint8_t, 4> kBackground{40, 44, 52, 255};

Image fontImage(ImFontAtlas& fonts) {
  unsigned char* pixels = nullptr;
  Image image;
  fonts.GetTexDataAsRGBA32(&pixels, &image.width, &image.height);
  const auto size =
      static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4U;
  image.rgba.assign(pixels, pixels + size);
  return image;
}

}  // namespace

Image paintPage(const ImDrawData& page, ImFontAtlas& fonts) {
  DrawListRaster raster(static_cast<int>(page.DisplaySize.x), static_cast<int>(page.DisplaySize.y),
                        kBackground);
  const Image font = fontImage(fonts);
  raster.addTexture(fonts.TexID, font);
  raster.draw(page);
  return raster.image();
}

}  // namespace rafta::sim
