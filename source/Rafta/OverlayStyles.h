#pragma once

#include <span>
#include <string>

#include "bakkesmod/plugin/bakkesmodplugin.h"

class Rafta;

// The overlay's styles, by number: each is a row of Rafta::OverlayStyles(), with the member that
// draws it. The settings page's combo, the style command's words and help, and the style
// variable's description are made from these rows, so that a sixth style is one row and its
// drawing.
//
//   (this->*OverlayStyles()[style].draw)(frame);
namespace rafta {

// What a style draws from, made once a frame.
struct OverlayFrame {
  CanvasWrapper& canvas;
  Vector2 canvasSize;
  std::string counterLine;  // "Rafta hits | match: M | session S | total: T", measured
};

struct OverlayStyle {
  const char* name;            // as the page's combo and the style command list it
  const char* nameInVariable;  // as the style variable's description lists it
  void (Rafta::*draw)(OverlayFrame& frame);
};

// "0=Classique, 1=Minimaliste, ...": every style by its number and the name `name` picks.
[[nodiscard]] std::string NumberedStyles(std::span<const OverlayStyle> styles,
                                         const char* OverlayStyle::*name);

}  // namespace rafta
