#pragma once

#include <cstdint>
#include <string>

#include "HostApi.h"
#include "ImageWrapper.h"
#include "WrapperStructs.h"

// The surface of one drawn frame. Valid only during the drawable call that received it.
class HOST_API CanvasWrapper {
 public:
  explicit CanvasWrapper(std::uintptr_t mem);

  void SetColor(LinearColor color);
  void SetPosition(Vector2F position);
  void DrawString(const std::string& text, float xScale, float yScale);
  [[nodiscard]] Vector2F GetStringSize(const std::string& text, float xScale, float yScale) const;
  void DrawBox(Vector2F size);
  void FillBox(Vector2F size);
  void DrawLine(Vector2 start, Vector2 end);
  void DrawRect(Vector2 start, Vector2 end);
  void DrawTexture(ImageWrapper* image, float scale);

 private:
  std::uintptr_t address;
};
