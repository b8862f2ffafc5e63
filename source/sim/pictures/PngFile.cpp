#include "sim/pictures/PngFile.h"

#include <stb/stb_image_write.h>

#include <cstddef>
#include <stdexcept>

namespace rafta::sim {

void writePng(const Image& image, const std::filesystem::path& file) {
  const auto expected =
      static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4;
  if (image.width <= 0 || image.height <= 0 || image.rgba.size() != expected) {
    throw std::runtime_error("cannot write the picture " + file.string() +
                             ": the image has no pixels or the wrong number of them");
  }
  if (stbi_write_png(file.string().c_str(), image.width, image.height, 4, image.rgba.data(),
                     image.width * 4) == 0) {
    throw std::runtime_error("cannot write the picture " + file.string());
  }
}

}  // namespace rafta::sim
