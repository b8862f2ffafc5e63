#pragma once

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "HostPicture.h"
#include "WrapperStructs.h"

namespace rafta::sim {

// The calls a plugin makes on a canvas, with their arguments, in an order a rasteriser can replay:
// colour and position are state that later drawing calls use.
namespace canvas {
struct SetColor {
  LinearColor color;
};
struct SetPosition {
  Vector2F position;
};
struct DrawString {
  std::string text;
  float xScale;
  float yScale;
};
struct MeasureString {
  std::string text;
  float xScale;
  float yScale;
};
struct DrawBox {
  Vector2F size;
};
struct FillBox {
  Vector2F size;
};
struct DrawLine {
  Vector2 start;
  Vector2 end;
};
struct DrawRect {
  Vector2 start;
  Vector2 end;
};
// A null picture: the plugin drew an image that was not loaded for the canvas.
struct DrawTexture {
  std::shared_ptr<const HostPicture> picture;
  float scale;
};
}  // namespace canvas

using CanvasCall = std::variant<canvas::SetColor, canvas::SetPosition, canvas::DrawString,
                                canvas::MeasureString, canvas::DrawBox, canvas::FillBox,
                                canvas::DrawLine, canvas::DrawRect, canvas::DrawTexture>;

// One line of --trace for a call.
[[nodiscard]] std::string describe(const CanvasCall& call);

// The surface of one frame: it records every call made on it.
class Canvas {
 public:
  Canvas(Vector2 size, std::function<void(const std::string&)> trace);

  void record(CanvasCall call);
  [[nodiscard]] const std::vector<CanvasCall>& calls() const;
  [[nodiscard]] Vector2 size() const;

  // Text as the built-in Dear ImGui font sets it: 7 px a byte on the longest line, 13 px a line.
  [[nodiscard]] static Vector2F textSize(const std::string& text, float xScale, float yScale);

 private:
  Vector2 size_;
  std::function<void(const std::string&)> trace_;
  std::vector<CanvasCall> calls_;
};

}  // namespace rafta::sim
