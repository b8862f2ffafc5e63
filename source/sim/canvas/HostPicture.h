#pragma once

#include <memory>
#include <string>

#include "sim/canvas/Image.h"

namespace rafta::sim {

// A picture the host decoded for canvas drawing. Shared so that a recorded frame keeps the
// pictures it drew alive.
struct HostPicture : Image {
  std::string path;
};

// The path as this system's file functions need it: the plugin writes Windows paths.
[[nodiscard]] std::string hostPath(std::string path);

// Null when the file is missing or not a picture the host can decode.
[[nodiscard]] std::shared_ptr<const HostPicture> decodePicture(const std::string& path);

}  // namespace rafta::sim
