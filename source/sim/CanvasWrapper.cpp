#include "CanvasWrapper.h"

#include "Canvas.h"
#include "HostAccess.h"

using rafta::sim::Canvas;
using rafta::sim::objectAt;
namespace canvas = rafta::sim::canvas;

namespace {

void record(std::uintptr_t address, rafta::sim::CanvasCall call) {
  if (auto* target = objectAt<Canvas>(address)) {
    target->record(std::move(call));
  }
}

}  // namespace

CanvasWrapper::CanvasWrapper(std::uintptr_t mem) : address(mem) {}

// The host interface declares these non-const, as the host it stands in for does.
// NOLINTBEGIN(readability-make-member-function-const)

void CanvasWrapper::SetColor(LinearColor color) { record(address, canvas::SetColor{color}); }

void CanvasWrapper::SetPosition(Vector2F position) {
  record(address, canvas::SetPosition{position});
}

void CanvasWrapper::DrawString(const std::string& text, float xScale, float yScale) {
  record(address, canvas::DrawString{text, xScale, yScale});
}

Vector2F CanvasWrapper::GetStringSize(const std::string& text, float xScale, float yScale) const {
  auto* target = objectAt<Canvas>(address);
  if (target == nullptr) {
    return {};
  }
  target->record(canvas::MeasureString{text, xScale, yScale});
  return target->measure(text, xScale, yScale);
}

void CanvasWrapper::DrawBox(Vector2F size) { record(address, canvas::DrawBox{size}); }

void CanvasWrapper::FillBox(Vector2F size) { record(address, canvas::FillBox{size}); }

void CanvasWrapper::DrawLine(Vector2 start, Vector2 end) {
  record(address, canvas::DrawLine{start, end});
}

void CanvasWrapper::DrawRect(Vector2 start, Vector2 end) {
  record(address, canvas::DrawRect{start, end});
}

void CanvasWrapper::DrawTexture(ImageWrapper* image, float scale) {
  const auto* picture = image != nullptr ? image->picture() : nullptr;
  record(address,
         canvas::DrawTexture{picture != nullptr ? picture->shared_from_this() : nullptr, scale});
}
// NOLINTEND(readability-make-member-function-const)
