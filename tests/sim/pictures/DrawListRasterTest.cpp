#include "sim/pictures/DrawListRaster.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include "ImagePixels.h"

namespace rafta::sim {
namespace {

using testing::Pixel;
using testing::pixelAt;

constexpr Pixel kBlack{0, 0, 0, 255};
const ImVec4 kNoClip(-1000.0F, -1000.0F, 1000.0F, 1000.0F);

// The pixels that differ from `background`, as a picture: '#' changed, '.' not.
std::string coverage(const Image& image, Pixel background) {
  std::string rows;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      rows += pixelAt(image, x, y) == background ? '.' : '#';
    }
    rows += '\n';
  }
  return rows;
}

Image solid(int width, int height, Pixel colour) {
  Image image{width, height,
              std::vector<std::uint8_t>(static_cast<std::size_t>(width * height) * 4)};
  for (std::size_t at = 0; at < image.rgba.size(); at += colour.size()) {
    std::copy(colour.begin(), colour.end(), image.rgba.begin() + static_cast<std::ptrdiff_t>(at));
  }
  return image;
}

struct Corner {
  ImVec2 pos;
  ImU32 colour = IM_COL32_WHITE;
  ImVec2 uv{0.0F, 0.0F};
};

// A draw list built vertex by vertex, one command per call, as Dear ImGui lays lists out.
class Mesh {
 public:
  // Every three corners make a triangle.
  Mesh& triangles(std::initializer_list<Corner> corners, ImTextureID texture,
                  ImVec4 clip = kNoClip) {
    ImDrawCmd command;
    command.ClipRect = clip;
    command.TextureId = texture;
    command.IdxOffset = static_cast<unsigned int>(list.IdxBuffer.Size);
    command.VtxOffset = static_cast<unsigned int>(list.VtxBuffer.Size);
    ImDrawIdx index = 0;
    for (const Corner& corner : corners) {
      list.VtxBuffer.push_back(ImDrawVert{corner.pos, corner.uv, corner.colour});
      list.IdxBuffer.push_back(index++);
    }
    command.ElemCount = static_cast<unsigned int>(corners.size());
    list.CmdBuffer.push_back(command);
    return *this;
  }

  Mesh& quad(ImVec2 min, ImVec2 max, ImU32 colour, ImTextureID texture, ImVec4 clip = kNoClip) {
    const Corner a{min, colour, {0.0F, 0.0F}};
    const Corner b{{max.x, min.y}, colour, {1.0F, 0.0F}};
    const Corner c{max, colour, {1.0F, 1.0F}};
    const Corner d{{min.x, max.y}, colour, {0.0F, 1.0F}};
    return triangles({a, b, c, a, c, d}, texture, clip);
  }

  ImDrawList list{nullptr};
};

class Raster : public ::testing::Test {
 protected:
  // Untextured shapes sample one white texel.
  Image white = solid(1, 1, {255, 255, 255, 255});
  ImTextureID plain = &white;

  DrawListRaster raster(int width, int height, Pixel background = kBlack) {
    DrawListRaster r(width, height, background);
    r.addTexture(plain, white);
    return r;
  }
};

TEST_F(Raster, StartsAsTheBackground) {
  const auto r = raster(3, 2, {1, 2, 3, 4});
  EXPECT_EQ(r.image().width, 3);
  EXPECT_EQ(r.image().height, 2);
  EXPECT_EQ(pixelAt(r.image(), 2, 1), (Pixel{1, 2, 3, 4}));
  EXPECT_TRUE(raster(0, -1).image().rgba.empty());
}

TEST_F(Raster, AQuadCoversThePixelsWhoseCentresItHolds) {
  auto whole = raster(5, 4);
  whole.draw(Mesh().quad({1, 1}, {4, 3}, IM_COL32(255, 0, 0, 255), plain).list);
  EXPECT_EQ(coverage(whole.image(), kBlack), ".....\n.###.\n.###.\n.....\n");
  EXPECT_EQ(pixelAt(whole.image(), 1, 1), (Pixel{255, 0, 0, 255}));

  // Centres on the left and top edges are inside, on the right and bottom ones outside.
  auto halves = raster(4, 4);
  halves.draw(Mesh().quad({0.5F, 0.5F}, {2.5F, 2.5F}, IM_COL32_WHITE, plain).list);
  EXPECT_EQ(coverage(halves.image(), kBlack), "##..\n##..\n....\n....\n");

  auto between = raster(4, 4);
  between.draw(Mesh().quad({1.6F, 1.6F}, {2.4F, 2.4F}, IM_COL32_WHITE, plain).list);
  EXPECT_EQ(coverage(between.image(), kBlack), "....\n....\n....\n....\n");
}

TEST_F(Raster, TrianglesMeetingAtEdgesPaintEachPixelOnce) {
  // Four translucent triangles fan around the centre; their diagonals run through pixel centres.
  // A pixel painted twice would come out brighter than the others.
  const ImU32 grey = IM_COL32(255, 255, 255, 128);
  const Corner centre{{3, 3}, grey};
  const Corner tl{{0, 0}, grey};
  const Corner tr{{6, 0}, grey};
  const Corner br{{6, 6}, grey};
  const Corner bl{{0, 6}, grey};
  auto r = raster(6, 6);
  r.draw(Mesh()
             .triangles({centre, tl, tr, centre, tr, br, centre, br, bl, centre, bl, tl}, plain)
             .list);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(pixelAt(r.image(), x, y), (Pixel{128, 128, 128, 255})) << x << ',' << y;
    }
  }
}

TEST_F(Raster, EitherWindingPaintsTheSamePixels) {
  const Corner a{{0.2F, 0.3F}};
  const Corner b{{5.7F, 1.1F}};
  const Corner c{{2.4F, 4.9F}};
  auto clockwise = raster(6, 5);
  clockwise.draw(Mesh().triangles({a, b, c}, plain).list);
  auto counter = raster(6, 5);
  counter.draw(Mesh().triangles({a, c, b}, plain).list);
  EXPECT_EQ(clockwise.image().rgba, counter.image().rgba);
  EXPECT_NE(coverage(clockwise.image(), kBlack), coverage(raster(6, 5).image(), kBlack));
}

TEST_F(Raster, DegenerateTrianglesPaintNothing) {
  auto r = raster(4, 4);
  r.draw(
      Mesh().triangles({{{0, 0}}, {{2, 2}}, {{4, 4}}, {{1, 1}}, {{1, 1}}, {{3, 0}}}, plain).list);
  EXPECT_EQ(coverage(r.image(), kBlack), "....\n....\n....\n....\n");
}

TEST_F(Raster, ClipRectanglesAndTheImageBoundsCutShapes) {
  auto clipped = raster(4, 3);
  clipped.draw(Mesh().quad({-10, -10}, {10, 10}, IM_COL32_WHITE, plain, ImVec4(1, 1, 3, 2)).list);
  EXPECT_EQ(coverage(clipped.image(), kBlack), "....\n.##.\n....\n");

  // A pixel is inside the clip rectangle when its centre is.
  auto fractional = raster(4, 1);
  fractional.draw(
      Mesh().quad({0, 0}, {4, 1}, IM_COL32_WHITE, plain, ImVec4(0.4F, 0, 1.6F, 1)).list);
  EXPECT_EQ(coverage(fractional.image(), kBlack), "##..\n");

  auto outside = raster(3, 3);
  outside.draw(Mesh().quad({-5, 1}, {1, 50}, IM_COL32_WHITE, plain).list);
  outside.draw(Mesh().quad({2, -1e9F}, {1e9F, 1}, IM_COL32_WHITE, plain).list);
  EXPECT_EQ(coverage(outside.image(), kBlack), "..#\n#..\n#..\n");
}

TEST_F(Raster, TranslucentColoursBlendOverWhatIsThere) {
  auto opaque = raster(1, 1, {0, 0, 255, 255});
  opaque.draw(Mesh().quad({0, 0}, {1, 1}, IM_COL32(255, 0, 0, 128), plain).list);
  EXPECT_EQ(pixelAt(opaque.image(), 0, 0), (Pixel{128, 0, 127, 255}));

  // Straight alpha: a colour over nothing keeps its channels.
  auto empty = raster(1, 1, {0, 0, 0, 0});
  empty.draw(Mesh().quad({0, 0}, {1, 1}, IM_COL32(255, 100, 0, 128), plain).list);
  EXPECT_EQ(pixelAt(empty.image(), 0, 0), (Pixel{255, 100, 0, 128}));

  auto invisible = raster(1, 1, {9, 8, 7, 255});
  invisible.draw(Mesh().quad({0, 0}, {1, 1}, IM_COL32(255, 255, 255, 0), plain).list);
  EXPECT_EQ(pixelAt(invisible.image(), 0, 0), (Pixel{9, 8, 7, 255}));

  // Later commands go over earlier ones.
  auto layered = raster(1, 1);
  layered.draw(Mesh()
                   .quad({0, 0}, {1, 1}, IM_COL32(0, 255, 0, 255), plain)
                   .quad({0, 0}, {1, 1}, IM_COL32(255, 0, 0, 255), plain)
                   .list);
  EXPECT_EQ(pixelAt(layered.image(), 0, 0), (Pixel{255, 0, 0, 255}));
}

TEST_F(Raster, VertexColoursAreInterpolatedAtPixelCentres) {
  const ImU32 dark = IM_COL32(0, 0, 0, 255);
  const ImU32 light = IM_COL32_WHITE;
  auto r = raster(2, 1, {0, 0, 255, 255});
  r.draw(Mesh()
             .triangles({{{0, 0}, dark},
                         {{2, 0}, light},
                         {{2, 1}, light},
                         {{0, 0}, dark},
                         {{2, 1}, light},
                         {{0, 1}, dark}},
                        plain)
             .list);
  EXPECT_EQ(pixelAt(r.image(), 0, 0), (Pixel{64, 64, 64, 255}));
  EXPECT_EQ(pixelAt(r.image(), 1, 0), (Pixel{191, 191, 191, 255}));
}

class TexturedRaster : public Raster {
 protected:
  // Red, green / blue, translucent white.
  Image texture{2, 2, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 128}};
  ImTextureID id = &texture;

  DrawListRaster textured(int width, int height) {
    auto r = raster(width, height);
    r.addTexture(id, texture);
    return r;
  }
};

TEST_F(TexturedRaster, SamplesTheNearestTexelTimesTheVertexColour) {
  auto r = textured(4, 4);
  r.draw(Mesh().quad({0, 0}, {4, 4}, IM_COL32(255, 255, 255, 255), id).list);
  EXPECT_EQ(pixelAt(r.image(), 0, 0), (Pixel{255, 0, 0, 255}));
  EXPECT_EQ(pixelAt(r.image(), 1, 1), (Pixel{255, 0, 0, 255}));
  EXPECT_EQ(pixelAt(r.image(), 2, 1), (Pixel{0, 255, 0, 255}));
  EXPECT_EQ(pixelAt(r.image(), 1, 2), (Pixel{0, 0, 255, 255}));
  EXPECT_EQ(pixelAt(r.image(), 3, 3), (Pixel{128, 128, 128, 255}));

  auto tinted = textured(2, 2);
  tinted.draw(Mesh().quad({0, 0}, {2, 2}, IM_COL32(128, 255, 255, 255), id).list);
  EXPECT_EQ(pixelAt(tinted.image(), 0, 0), (Pixel{128, 0, 0, 255}));
  EXPECT_EQ(pixelAt(tinted.image(), 1, 0), (Pixel{0, 255, 0, 255}));
}

TEST_F(TexturedRaster, CoordinatesBeyondTheTextureTakeItsBorder) {
  auto r = textured(2, 1);
  r.draw(Mesh()
             .triangles({{{0, 0}, IM_COL32_WHITE, {-3, -3}},
                         {{2, 0}, IM_COL32_WHITE, {5, -3}},
                         {{2, 1}, IM_COL32_WHITE, {5, -3}}},
                        id)
             .triangles({{{0, 0}, IM_COL32_WHITE, {-3, -3}},
                         {{2, 1}, IM_COL32_WHITE, {-3, -3}},
                         {{0, 1}, IM_COL32_WHITE, {-3, -3}}},
                        id)
             .list);
  EXPECT_EQ(pixelAt(r.image(), 0, 0), (Pixel{255, 0, 0, 255}));
  EXPECT_EQ(pixelAt(r.image(), 1, 0), (Pixel{0, 255, 0, 255}));
}

TEST_F(TexturedRaster, UnknownTexturesAreRefusedAndCallbacksSkipped) {
  Mesh callback;
  callback.quad({0, 0}, {1, 1}, IM_COL32_WHITE, nullptr);
  callback.list.CmdBuffer.back().UserCallback = [](const ImDrawList*, const ImDrawCmd*) {};
  auto r = textured(1, 1);
  r.draw(callback.list);
  EXPECT_EQ(pixelAt(r.image(), 0, 0), kBlack);

  EXPECT_THROW(r.draw(Mesh().quad({0, 0}, {1, 1}, IM_COL32_WHITE, &r).list), std::invalid_argument);
  // A command without elements draws nothing and needs no texture.
  Mesh empty;
  empty.list.CmdBuffer.push_back(ImDrawCmd());
  EXPECT_NO_THROW(r.draw(empty.list));
}

TEST_F(Raster, DrawDataPaintsEveryListRelativeToItsDisplayPosition) {
  Mesh first;
  first.quad({10, 10}, {13, 11}, IM_COL32(0, 255, 0, 255), plain);
  // The second list's only command starts past its other vertices, and is clipped.
  Mesh second;
  second.list.VtxBuffer.push_back(ImDrawVert{{99, 99}, {0, 0}, IM_COL32_WHITE});
  second.quad({10, 10}, {13, 12}, IM_COL32(255, 0, 0, 255), plain, ImVec4(11, 10, 20, 20));
  ASSERT_EQ(second.list.CmdBuffer.back().VtxOffset, 1U);

  std::array<ImDrawList*, 2> lists{&first.list, &second.list};
  ImDrawData data;
  data.Valid = true;
  data.CmdListsCount = 2;
  data.CmdLists = lists.data();
  data.DisplayPos = ImVec2(10, 10);
  data.DisplaySize = ImVec2(3, 2);
  data.FramebufferScale = ImVec2(1, 1);

  auto r = raster(3, 2);
  r.draw(data);
  EXPECT_EQ(pixelAt(r.image(), 0, 0), (Pixel{0, 255, 0, 255}));
  EXPECT_EQ(pixelAt(r.image(), 1, 0), (Pixel{255, 0, 0, 255}));
  EXPECT_EQ(pixelAt(r.image(), 2, 1), (Pixel{255, 0, 0, 255}));
  EXPECT_EQ(pixelAt(r.image(), 0, 1), kBlack);
}

}  // namespace
}  // namespace rafta::sim
