#include "sim/canvas/HostPicture.h"

#include <stb/stb_image.h>

#include <algorithm>
#include <cstddef>

namespace rafta::sim {

std::string hostPath(std::string path) {
#if !defined(_WIN32)
  std::replace(path.begin(), path.end(), '\\', '/');
#endif
  return path;
}

std::shared_ptr<const HostPicture> decodePicture(const std::string& path) {
  const auto file = hostPath(path);
  int width = 0;
  int height = 0;
  int channels = 0;
  stbi_uc* pixels = stbi_load(file.c_str(), &width, &height, &channels, 4);
  if (pixels == nullptr) {
    return nullptr;
  }
  auto picture = std::make_shared<HostPicture>();
  picture->path = file;
  picture->width = width;
  picture->height = height;
  const auto bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
  picture->rgba.assign(pixels, pixels + bytes);
  stbi_image_free(pixels);
  return picture;
}

}  // namespace rafta::sim
