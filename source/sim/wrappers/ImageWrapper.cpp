#include "bakkesmod/wrappers/ImageWrapper.h"

#include "sim/canvas/HostPicture.h"

// The second flag asks for a Dear ImGui texture; no settings page draws pictures yet.
ImageWrapper::ImageWrapper(std::string path, bool canvasLoad, bool /*ImGuiLoad*/)
    : decoded(canvasLoad ? rafta::sim::decodePicture(path) : nullptr) {}

ImageWrapper::ImageWrapper(std::wstring path, bool canvasLoad, bool ImGuiLoad)
    : ImageWrapper(std::filesystem::path(path), canvasLoad, ImGuiLoad) {}

ImageWrapper::ImageWrapper(std::filesystem::path path, bool canvasLoad, bool ImGuiLoad)
    : ImageWrapper(path.string(), canvasLoad, ImGuiLoad) {}

// NOLINTNEXTLINE(readability-make-member-function-const): the host interface declares it non-const
bool ImageWrapper::IsLoadedForCanvas() { return decoded != nullptr; }
