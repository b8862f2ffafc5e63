#pragma once

#include <memory>
#include <string>

#include "HostApi.h"

// The host's decoded picture; plugins only pass it back to the canvas.
struct HostPicture;

class HOST_API ImageWrapper {
 public:
  ImageWrapper(const std::string& path, bool canvasLoad = false, bool imguiLoad = false);
  [[nodiscard]] bool IsLoadedForCanvas() const;
  [[nodiscard]] const HostPicture* picture() const;

 private:
  std::shared_ptr<const HostPicture> loaded;
};
