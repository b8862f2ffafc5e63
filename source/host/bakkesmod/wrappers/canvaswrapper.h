#pragma once

#include <cstdint>
#include <string>

#include "bakkesmod/plugin/bakkesmodsdk.h"
#include "bakkesmod/wrappers/ImageWrapper.h"
#include "bakkesmod/wrappers/wrapperstructs.h"

// The surface of one drawn frame. Valid only during the drawable call that received it.
// Positions and sizes come as Vector2F or Vector2: a braced argument would be ambiguous.
class BAKKESMOD_PLUGIN_IMPORT CanvasWrapper {
 public:
  explicit CanvasWrapper(std::uintptr_t mem);

  // Where the next box, string or texture goes (its top-left corner).
  void SetPosition(Vector2F pos);
  void SetPosition(Vector2 pos);
  void SetColor(LinearColor color);
  void SetColor(char red, char green, char blue, char alpha);

  void DrawBox(Vector2F size);
  void DrawBox(Vector2 size);
  void FillBox(Vector2F size);
  void FillBox(Vector2 size);
  void DrawLine(Vector2F start, Vector2F end);
  void DrawLine(Vector2F start, Vector2F end, float width);
  void DrawLine(Vector2 start, Vector2 end);
  void DrawLine(Vector2 start, Vector2 end, float width);
  void DrawRect(Vector2F start, Vector2F end);
  void DrawRect(Vector2 start, Vector2 end);
  // The picture stretched over a box of that size at the current position.
  void DrawRect(float RectX, float RectY, ImageWrapper* tex);

  void DrawString(std::string text);
  void DrawString(std::string text, float xScale, float yScale);
  void DrawString(std::string text, float xScale, float yScale, bool dropShadow,
                  bool wrapText = false);
  // The width and height that DrawString with the same scales covers.
  Vector2F GetStringSize(std::string text, float xScale = 1, float yScale = 1);

  void DrawTexture(ImageWrapper* tex, float scale);

 private:
  std::uintptr_t address;
};
