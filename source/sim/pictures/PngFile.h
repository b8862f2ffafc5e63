#pragma once

#include <filesystem>

#include "sim/canvas/Image.h"

namespace rafta::sim {

// Throws std::runtime_error naming the file when it cannot be written.
void writePng(const Image& image, const std::filesystem::path& file);

}  // namespace rafta::sim
