#pragma once

#include <imgui.h>

#include <array>
#include <functional>

namespace rafta::sim {

// Pixels [left, right) x [top, bottom).
struct PixelBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// How much each corner contributes at a point inside a triangle; they sum to 1.
using CornerWeights = std::array<double, 3>;

// Visits every pixel of the box whose centre the triangle covers, in either winding. A centre on
// an edge belongs to the triangle only if that edge is a top or left one, so triangles that share
// an edge never both cover a pixel. Degenerate triangles cover nothing.
void coverTriangle(const std::array<ImVec2, 3>& corners, PixelBox box,
                   const std::function<void(int x, int y, const CornerWeights& weights)>& visit);

}  // namespace rafta::sim
