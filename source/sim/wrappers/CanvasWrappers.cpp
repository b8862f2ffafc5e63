// The drawing wrappers: the canvas, which records every call on the frame it names, and the image,
// which the host decodes for the canvas.
#include "bakkesmod/wrappers/canvaswrapper.h"

#include <memory>
#include <utility>

#include "bakkesmod/wrappers/ImageWrapper.h"
#include "sim/canvas/Canvas.h"
#include "sim/canvas/HostPicture.h"
#include "sim/handles/Handles.h"

// The wrappers are the host interface's own classes, implemented over the host's objects.
using namespace rafta::sim;

namespace {

void record(std::uintptr_t address, CanvasCall call) {
  if (auto* target = objectAt<Canvas>(address)) {
    target->record(std::move(call));
  }
}

// A channel given as a char is one byte, 0 to 255, whatever the sign of char.
float channel(char value) { return static_cast<float>(static_cast<unsigned char>(value)); }

// What an image's host side holds: null when it was not loaded for the canvas.
std::shared_ptr<const HostPicture> asPicture(std::shared_ptr<const void> decoded) {
  return std::static_pointer_cast<const HostPicture>(std::move(decoded));
}

}  // namespace

// --- The canvas ---------------------------------------------------------------------------------

CanvasWrapper::CanvasWrapper(std::uintptr_t mem) : address(mem) {}

// The host interface declares these non-const, as the host it stands in for does.
// NOLINTBEGIN(readability-make-member-function-const)

void CanvasWrapper::SetPosition(Vector2F pos) { record(address, canvas::SetPosition{pos}); }

void CanvasWrapper::SetPosition(Vector2 pos) { SetPosition(canvas::toFloat(pos)); }

void CanvasWrapper::SetColor(LinearColor color) { record(address, canvas::SetColor{color}); }

void CanvasWrapper::SetColor(char red, char green, char blue, char alpha) {
  SetColor(LinearColor(channel(red), channel(green), channel(blue), channel(alpha)));
}

void CanvasWrapper::DrawBox(Vector2F size) { record(address, canvas::DrawBox{size}); }

void CanvasWrapper::DrawBox(Vector2 size) { DrawBox(canvas::toFloat(size)); }

void CanvasWrapper::FillBox(Vector2F size) { record(address, canvas::FillBox{size}); }

void CanvasWrapper::FillBox(Vector2 size) { FillBox(canvas::toFloat(size)); }

void CanvasWrapper::DrawLine(Vector2F start, Vector2F end) {
  record(address, canvas::DrawLine{start, end, std::nullopt});
}

void CanvasWrapper::DrawLine(Vector2F start, Vector2F end, float width) {
  record(address, canvas::DrawLine{start, end, width});
}

void CanvasWrapper::DrawLine(Vector2 start, Vector2 end) {
  record(address, canvas::DrawLine{start, end, std::nullopt});
}

void CanvasWrapper::DrawLine(Vector2 start, Vector2 end, float width) {
  record(address, canvas::DrawLine{start, end, width});
}

void CanvasWrapper::DrawRect(Vector2F start, Vector2F end) {
  record(address, canvas::DrawRect{start, end});
}

void CanvasWrapper::DrawRect(Vector2 start, Vector2 end) {
  record(address, canvas::DrawRect{start, end});
}

void CanvasWrapper::DrawRect(float RectX, float RectY, ImageWrapper* tex) {
  record(address, canvas::DrawRectOfImage{tex != nullptr ? asPicture(tex->decoded) : nullptr,
                                          {RectX, RectY}});
}

void CanvasWrapper::DrawString(std::string text) { DrawString(std::move(text), 1.0F, 1.0F); }

void CanvasWrapper::DrawString(std::string text, float xScale, float yScale) {
  record(address, canvas::DrawString{std::move(text), xScale, yScale});
}

void CanvasWrapper::DrawString(std::string text, float xScale, float yScale, bool dropShadow,
                               bool wrapText) {
  record(address, canvas::DrawString{std::move(text), xScale, yScale, dropShadow, wrapText});
}

Vector2F CanvasWrapper::GetStringSize(std::string text, float xScale, float yScale) {
  auto* target = objectAt<Canvas>(address);
  if (target == nullptr) {
    return {0.0F, 0.0F};
  }
  const Vector2F size = target->measure(text, xScale, yScale);
  target->record(canvas::MeasureString{std::move(text), xScale, yScale});
  return size;
}

void CanvasWrapper::DrawTexture(ImageWrapper* tex, float scale) {
  record(address, canvas::DrawTexture{tex != nullptr ? asPicture(tex->decoded) : nullptr, scale});
}

// NOLINTEND(readability-make-member-function-const)

// --- The image ----------------------------------------------------------------------------------

// The second flag asks for a Dear ImGui texture; no settings page draws pictures yet.
ImageWrapper::ImageWrapper(std::string path, bool canvasLoad, bool /*ImGuiLoad*/)
    : decoded(canvasLoad ? decodePicture(path) : nullptr) {}

ImageWrapper::ImageWrapper(std::wstring path, bool canvasLoad, bool ImGuiLoad)
    : ImageWrapper(std::filesystem::path(path), canvasLoad, ImGuiLoad) {}

ImageWrapper::ImageWrapper(std::filesystem::path path, bool canvasLoad, bool ImGuiLoad)
    : ImageWrapper(path.string(), canvasLoad, ImGuiLoad) {}

// NOLINTNEXTLINE(readability-make-member-function-const): the host interface declares it non-const
bool ImageWrapper::IsLoadedForCanvas() { return decoded != nullptr; }
