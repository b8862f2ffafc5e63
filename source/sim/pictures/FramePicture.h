#pragma once

#include "sim/canvas/Canvas.h"
#include "sim/canvas/Image.h"

namespace rafta::sim {

// The most pixels a painted frame has across, and down: far beyond any screen (8K is 7680 x
// 4320), while a script may report any int.
inline constexpr int kMostPaintedSide = 8192;

// The size a frame is painted at: its screen size (1920 x 1080 when that size is not valid, as
// plugins then lay out), each side cut at kMostPaintedSide.
[[nodiscard]] Vector2 paintedSize(Vector2 reported);

// The picture of a drawn frame, as the host's canvas paints the calls recorded on it, at
// paintedSize() (what lies beyond is cut, where it was drawn), over a neutral dark background.
[[nodiscard]] Image paintFrame(const Canvas& frame);

}  // namespace rafta::sim
