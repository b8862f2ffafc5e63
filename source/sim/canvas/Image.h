#pragma once

#include <cstdint>
#include <vector>

namespace rafta::sim {

// A picture in memory: RGBA, 8 bits a channel, straight (not premultiplied) alpha, rows top to
// bottom.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

}  // namespace rafta::sim
