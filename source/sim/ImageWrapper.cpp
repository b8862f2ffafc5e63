#include "ImageWrapper.h"

#include "HostPicture.h"

// The second flag asks for a Dear ImGui texture; no settings page draws pictures yet.
ImageWrapper::ImageWrapper(const std::string& path, bool canvasLoad, bool /*imguiLoad*/)
    : loaded(canvasLoad ? rafta::sim::decodePicture(path) : nullptr) {}

bool ImageWrapper::IsLoadedForCanvas() const { return loaded != nullptr; }

const HostPicture* ImageWrapper::picture() const { return loaded.get(); }
