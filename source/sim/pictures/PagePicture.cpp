#include "sim/pictures/PagePicture.h"

#include "sim/canvas/HostFont.h"
#include "sim/pictures/DrawListRaster.h"

namespace rafta::sim {

Image paintPage(const ImDrawData& page, ImFontAtlas& fonts) {
  DrawListRaster raster(static_cast<int>(page.DisplaySize.x), static_cast<int>(page.DisplaySize.y),
                        kDarkScreen);
  const Image font = atlasImage(fonts);
  raster.addTexture(fonts.TexID, font);
  raster.draw(page);
  return raster.image();
}

}  // namespace rafta::sim
