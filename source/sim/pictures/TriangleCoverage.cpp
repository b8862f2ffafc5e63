#include "sim/pictures/TriangleCoverage.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace rafta::sim {
namespace {

struct Point {
  double x;
  double y;
};

// Twice the signed area of (from, to, p): positive when p lies inside of the edge.
double edge(Point from, Point to, Point p) {
  return (to.x - from.x) * (p.y - from.y) - (to.y - from.y) * (p.x - from.x);
}

// With y pointing down and the inside positive, top edges run to the right and left edges up.
bool ownsItsEdge(Point from, Point to) {
  return to.y < from.y || (to.y == from.y && to.x > from.x);
}

bool covers(double weight, Point from, Point to) {
  return weight > 0.0 || (weight == 0.0 && ownsItsEdge(from, to));
}

// The first pixel at or after `low` whose centre is not below it, within [lo, hi].
int firstCentre(double low, int lo, int hi) {
  return static_cast<int>(
      std::clamp(std::ceil(low - 0.5), static_cast<double>(lo), static_cast<double>(hi)));
}

// One past the last pixel whose centre is not above `high`, within [lo, hi].
int pastLastCentre(double high, int lo, int hi) {
  return static_cast<int>(
      std::clamp(std::floor(high - 0.5) + 1.0, static_cast<double>(lo), static_cast<double>(hi)));
}

}  // namespace

void coverTriangle(const std::array<ImVec2, 3>& corners, PixelBox box,
                   const std::function<void(int x, int y, const CornerWeights& weights)>& visit) {
  std::array<Point, 3> p{};
  for (std::size_t i = 0; i < 3; ++i) {
    p.at(i) = {corners.at(i).x, corners.at(i).y};
  }
  // Visit in one winding; `order` maps back to the caller's corners.
  std::array<std::size_t, 3> order{0, 1, 2};
  double area = edge(p[0], p[1], p[2]);
  if (area < 0.0) {
    std::swap(p[1], p[2]);
    std::swap(order[1], order[2]);
    area = -area;
  }
  if (!(area > 0.0) || !std::isfinite(area)) {
    return;
  }
  const auto [minX, maxX] = std::minmax({p[0].x, p[1].x, p[2].x});
  const auto [minY, maxY] = std::minmax({p[0].y, p[1].y, p[2].y});
  const int right = pastLastCentre(maxX, box.left, box.right);
  const int bottom = pastLastCentre(maxY, box.top, box.bottom);
  CornerWeights weights{};
  for (int y = firstCentre(minY, box.top, box.bottom); y < bottom; ++y) {
    for (int x = firstCentre(minX, box.left, box.right); x < right; ++x) {
      const Point centre{x + 0.5, y + 0.5};
      const double w0 = edge(p[1], p[2], centre);
      const double w1 = edge(p[2], p[0], centre);
      const double w2 = edge(p[0], p[1], centre);
      if (covers(w0, p[1], p[2]) && covers(w1, p[2], p[0]) && covers(w2, p[0], p[1])) {
        weights.at(order[0]) = w0 / area;
        weights.at(order[1]) = w1 / area;
        weights.at(order[2]) = w2 / area;
        visit(x, y, weights);
      }
    }
  }
}

}  // namespace rafta::sim
