#include "sim/pictures/DrawListRaster.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <utility>

namespace rafta::sim {
namespace {

// --- Triangle coverage --------------------------------------------------------------------------

// Pixels [left, right) x [top, bottom).
struct PixelBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// How much each corner contributes at a point inside a triangle; they sum to 1.
using CornerWeights = std::array<double, 3>;

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

// Visits every pixel of the box whose centre the triangle covers, in either winding. A centre on
// an edge belongs to the triangle only if that edge is a top or left one, so triangles that share
// an edge never both cover a pixel. Degenerate triangles cover nothing.
// `visit(x, y, weights)` is a template parameter: it runs for every covered pixel.
template <typename Visit>
void coverTriangle(const std::array<ImVec2, 3>& corners, PixelBox box, const Visit& visit) {
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

// --- Painting -----------------------------------------------------------------------------------

// Channels from 0 to 1.
struct Rgba {
  float r = 0.0F;
  float g = 0.0F;
  float b = 0.0F;
  float a = 0.0F;
};

float channel(ImU32 colour, unsigned shift) {
  return static_cast<float>((colour >> shift) & 0xFFU) / 255.0F;
}

Rgba unpack(ImU32 colour) {
  return {channel(colour, IM_COL32_R_SHIFT), channel(colour, IM_COL32_G_SHIFT),
          channel(colour, IM_COL32_B_SHIFT), channel(colour, IM_COL32_A_SHIFT)};
}

std::size_t pixelOffset(const Image& image, int x, int y) {
  return (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
          static_cast<std::size_t>(x)) *
         4;
}

// Texture coordinates pick the texel whose area holds them; outside the texture, the border one.
Rgba nearestTexel(const Image& texture, double u, double v) {
  const auto texel = [](double t, int size) {
    return static_cast<int>(std::clamp(std::floor(t * size), 0.0, static_cast<double>(size - 1)));
  };
  const auto offset = pixelOffset(texture, texel(u, texture.width), texel(v, texture.height));
  const auto at = [&](std::size_t i) {
    return static_cast<float>(texture.rgba.at(offset + i)) / 255.0F;
  };
  return {at(0), at(1), at(2), at(3)};
}

Rgba interpolate(const std::array<Rgba, 3>& corners, const CornerWeights& weights) {
  Rgba mixed;
  for (std::size_t i = 0; i < 3; ++i) {
    const auto w = static_cast<float>(weights.at(i));
    mixed.r += corners.at(i).r * w;
    mixed.g += corners.at(i).g * w;
    mixed.b += corners.at(i).b * w;
    mixed.a += corners.at(i).a * w;
  }
  return mixed;
}

std::uint8_t toByte(float value) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0F, 1.0F) * 255.0F));
}

// Porter-Duff "over" on straight alpha.
void blendOver(Image& image, int x, int y, Rgba source) {
  const auto offset = pixelOffset(image, x, y);
  const auto at = [&](std::size_t i) {
    return static_cast<float>(image.rgba.at(offset + i)) / 255.0F;
  };
  const float below = at(3) * (1.0F - source.a);
  const float alpha = source.a + below;
  if (alpha <= 0.0F) {
    return;
  }
  const auto over = [&](float top, std::size_t i) {
    return (top * source.a + at(i) * below) / alpha;
  };
  const Rgba result{over(source.r, 0), over(source.g, 1), over(source.b, 2), alpha};
  image.rgba.at(offset) = toByte(result.r);
  image.rgba.at(offset + 1) = toByte(result.g);
  image.rgba.at(offset + 2) = toByte(result.b);
  image.rgba.at(offset + 3) = toByte(result.a);
}

// Pixels whose centres lie in the clip rectangle and on the image.
PixelBox clipBox(const ImVec4& clip, ImVec2 origin, const Image& image) {
  const auto first = [](float edge, float shift, int size) {
    return static_cast<int>(std::clamp(std::ceil(static_cast<double>(edge) - shift - 0.5), 0.0,
                                       static_cast<double>(size)));
  };
  return {first(clip.x, origin.x, image.width), first(clip.y, origin.y, image.height),
          first(clip.z, origin.x, image.width), first(clip.w, origin.y, image.height)};
}

void drawTriangle(Image& image, const std::array<ImDrawVert, 3>& corners, ImVec2 origin,
                  PixelBox box, const Image& texture) {
  std::array<ImVec2, 3> positions{};
  std::array<Rgba, 3> colours{};
  for (std::size_t i = 0; i < 3; ++i) {
    positions.at(i) = {corners.at(i).pos.x - origin.x, corners.at(i).pos.y - origin.y};
    colours.at(i) = unpack(corners.at(i).col);
  }
  coverTriangle(positions, box, [&](int x, int y, const CornerWeights& w) {
    const double u = w[0] * corners[0].uv.x + w[1] * corners[1].uv.x + w[2] * corners[2].uv.x;
    const double v = w[0] * corners[0].uv.y + w[1] * corners[1].uv.y + w[2] * corners[2].uv.y;
    const Rgba tint = interpolate(colours, w);
    const Rgba sample = nearestTexel(texture, u, v);
    blendOver(image, x, y,
              {tint.r * sample.r, tint.g * sample.g, tint.b * sample.b, tint.a * sample.a});
  });
}

}  // namespace

DrawListRaster::DrawListRaster(int width, int height, std::array<std::uint8_t, 4> background)
    : image_{std::max(width, 0), std::max(height, 0), {}} {
  image_.rgba.resize(static_cast<std::size_t>(image_.width) *
                     static_cast<std::size_t>(image_.height) * 4);
  for (std::size_t i = 0; i < image_.rgba.size(); ++i) {
    image_.rgba[i] = background.at(i % 4);
  }
}

void DrawListRaster::addTexture(ImTextureID id, const Image& texture) { textures_[id] = &texture; }

void DrawListRaster::draw(const ImDrawList& list) { drawList(list, ImVec2(0.0F, 0.0F)); }

void DrawListRaster::draw(const ImDrawData& data) {
  for (int i = 0; i < data.CmdListsCount; ++i) {
    drawList(*data.CmdLists[i], data.DisplayPos);
  }
}

const Image& DrawListRaster::image() const { return image_; }

void DrawListRaster::drawList(const ImDrawList& list, ImVec2 origin) {
  for (const ImDrawCmd& command : list.CmdBuffer) {
    if (command.UserCallback == nullptr && command.ElemCount > 0) {
      drawCommand(list, command, origin);
    }
  }
}

void DrawListRaster::drawCommand(const ImDrawList& list, const ImDrawCmd& command, ImVec2 origin) {
  const auto texture = textures_.find(command.GetTexID());
  if (texture == textures_.end() || texture->second->width <= 0 || texture->second->height <= 0) {
    throw std::invalid_argument(
        "a draw command uses a texture that the raster was not given, or an empty one");
  }
  const PixelBox box = clipBox(command.ClipRect, origin, image_);
  for (unsigned int i = 0; i + 2 < command.ElemCount; i += 3) {
    std::array<ImDrawVert, 3> corners{};
    for (unsigned int k = 0; k < 3; ++k) {
      const auto index = list.IdxBuffer[static_cast<int>(command.IdxOffset + i + k)];
      corners.at(k) = list.VtxBuffer[static_cast<int>(command.VtxOffset + index)];
    }
    drawTriangle(image_, corners, origin, box, *texture->second);
  }
}

}  // namespace rafta::sim
