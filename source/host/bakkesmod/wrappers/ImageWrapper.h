#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "bakkesmod/plugin/bakkesmodsdk.h"

// A picture file the host loads for the plugin; the plugin only hands it back to the canvas.
class BAKKESMOD_PLUGIN_IMPORT ImageWrapper {
 public:
  explicit ImageWrapper(std::string path, bool canvasLoad = false, bool ImGuiLoad = false);
  explicit ImageWrapper(std::wstring path, bool canvasLoad = false, bool ImGuiLoad = false);
  explicit ImageWrapper(std::filesystem::path path, bool canvasLoad = false,
                        bool ImGuiLoad = false);
  ImageWrapper(const ImageWrapper&) = delete;
  ImageWrapper& operator=(const ImageWrapper&) = delete;

  bool IsLoadedForCanvas();

 private:
  // The canvas draws what the host decoded; nothing else reads it.
  friend class CanvasWrapper;
  std::shared_ptr<const void> decoded;
};
