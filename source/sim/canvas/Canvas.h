#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "bakkesmod/wrappers/wrapperstructs.h"
#include "sim/canvas/HostPicture.h"
#include "sim/text/Text.h"

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
  bool dropShadow = false;
  // Recorded only: the canvas has no width to wrap in.
  bool wrapText = false;
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
// A point as the plugin passed it: whole pixels, or pixels with fractions.
using Point = std::variant<Vector2, Vector2F>;
[[nodiscard]] Vector2F toFloat(const Point& point);

struct DrawLine {
  Point start;
  Point end;
  // Given only by the overloads that take a width.
  std::optional<float> width;
};
struct DrawRect {
  Point start;
  Point end;
};
// A null picture: the plugin drew an image that was not loaded for the canvas.
struct DrawTexture {
  std::shared_ptr<const HostPicture> picture;
  float scale;
};
// DrawRect's overload that takes an image: the picture stretched over a box of that size at the
// current position. Traced as the plugin called it, DrawRect.
struct DrawRectOfImage {
  std::shared_ptr<const HostPicture> picture;
  Vector2F size;
};
}  // namespace canvas

using CanvasCall =
    std::variant<canvas::SetColor, canvas::SetPosition, canvas::DrawString, canvas::MeasureString,
                 canvas::DrawBox, canvas::FillBox, canvas::DrawLine, canvas::DrawRect,
                 canvas::DrawTexture, canvas::DrawRectOfImage>;

// One line of --trace for a call.
[[nodiscard]] std::string describe(const CanvasCall& call);

// What GetStringSize answers for a text and its x and y scales.
using TextMeasure = std::function<Vector2F(const std::string& text, float xScale, float yScale)>;

// The surface of one frame: it records every call made on it.
class Canvas {
 public:
  Canvas(Vector2 size, TextMeasure measure, TextSink trace);

  void record(CanvasCall call);
  [[nodiscard]] const std::vector<CanvasCall>& calls() const;
  [[nodiscard]] Vector2 size() const;

  [[nodiscard]] Vector2F measure(const std::string& text, float xScale, float yScale) const;

 private:
  Vector2 size_;
  TextMeasure measure_;
  TextSink trace_;
  std::vector<CanvasCall> calls_;
};

}  // namespace rafta::sim
