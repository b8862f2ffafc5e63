#pragma once

#include "Canvas.h"
#include "Image.h"

namespace rafta::sim {

// The picture of a drawn frame, as the host's canvas paints the calls recorded on it: at the
// frame's screen size (1920 x 1080 when that size is not valid, as plugins then lay out), over a
// neutral dark background.
[[nodiscard]] Image paintFrame(const Canvas& frame);

}  // namespace rafta::sim
