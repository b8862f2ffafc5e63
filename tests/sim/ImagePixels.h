#pragma once

#include <stb/stb_image.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "sim/canvas/Image.h"

namespace rafta::sim::testing {

using Pixel = std::array<std::uint8_t, 4>;

// The background that frames are painted over.
constexpr Pixel kFrameBackground{40, 44, 52, 255};

inline Pixel pixelAt(const Image& image, int x, int y) {
  const auto at = static_cast<std::size_t>(y * image.width + x) * 4;
  return {image.rgba.at(at), image.rgba.at(at + 1), image.rgba.at(at + 2), image.rgba.at(at + 3)};
}

// Pixels in [x0, x1) x [y0, y1) that are not `background`.
inline int countUnlike(const Image& image, Pixel background, int x0, int y0, int x1, int y1) {
  int unlike = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      unlike += pixelAt(image, x, y) != background ? 1 : 0;
    }
  }
  return unlike;
}

inline int countUnlike(const Image& image, Pixel background) {
  return countUnlike(image, background, 0, 0, image.width, image.height);
}

// Decodes a PNG file; width 0 when it is none.
inline Image readPng(const std::filesystem::path& file) {
  Image image;
  int channels = 0;
  stbi_uc* pixels = stbi_load(file.c_str(), &image.width, &image.height, &channels, 4);
  if (pixels == nullptr) {
    return {};
  }
  image.rgba.assign(pixels, pixels + static_cast<std::ptrdiff_t>(image.width) * image.height * 4);
  stbi_image_free(pixels);
  return image;
}

}  // namespace rafta::sim::testing
