#include "sim/pictures/FramePicture.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ImagePixels.h"
#include "TestSupport.h"
#include "bakkesmod/wrappers/GameWrapper.h"
#include "bakkesmod/wrappers/ImageWrapper.h"
#include "bakkesmod/wrappers/canvaswrapper.h"
#include "sim/canvas/HostFont.h"
#include "sim/host/Host.h"
#include "sim/pictures/PictureFolder.h"

namespace rafta::sim {
namespace {

using testing::kFrameBackground;
using testing::Pixel;
using testing::pixelAt;

constexpr Pixel kRed{255, 0, 0, 255};
const LinearColor kRedColour{255, 0, 0, 255};
const LinearColor kWhiteColour{255, 255, 255, 255};

// Pixels that are not the background, within [x0, x1) x [y0, y1).
int paintedIn(const Image& image, int x0, int y0, int x1, int y1) {
  return testing::countUnlike(image, kFrameBackground, x0, y0, x1, y1);
}

int paintedAnywhere(const Image& image) { return testing::countUnlike(image, kFrameBackground); }

class Painter : public ::testing::Test {
 protected:
  // The picture of one frame in which the plugin draws what `draw` does.
  Image paint(const std::function<void(CanvasWrapper&)>& draw) {
    game->RegisterDrawable([&](CanvasWrapper canvas) { draw(canvas); });
    host.frames().draw(1);
    game->UnregisterDrawables();
    return paintFrame(*host.frames().lastFrame());
  }

  testing::ScratchFolder folder;
  Host host{HostOptions{folder.path(), {}, {}}};
  std::shared_ptr<GameWrapper> game = host.gameWrapper();
};

TEST_F(Painter, PaintsAtTheScreenSizeOrTheSizePluginsFallBackTo) {
  const auto nothing = [](CanvasWrapper&) {};
  const Image standard = paint(nothing);
  EXPECT_EQ(standard.width, 1920);
  EXPECT_EQ(standard.height, 1080);
  EXPECT_EQ(paintedAnywhere(standard), 0);

  host.game().setScreenSize({64, 32});
  EXPECT_EQ(paint(nothing).width, 64);
  for (const Vector2 invalid : {Vector2{0, 0}, Vector2{-5, 600}, Vector2{800, 0}}) {
    host.game().setScreenSize(invalid);
    const Image fallback = paint(nothing);
    EXPECT_EQ(fallback.width, 1920);
    EXPECT_EQ(fallback.height, 1080);
  }
}

// A screen size a script may set is any int; a picture that large would take gigabytes.
TEST_F(Painter, EachSideIsCutAtTheMostAPictureHolds) {
  EXPECT_EQ(kMostPaintedSide, 8192);
  const std::vector<std::pair<Vector2, Vector2>> sizes{
      {{8192, 8192}, {8192, 8192}},     {{8193, 100}, {8192, 100}},
      {{100000, 100000}, {8192, 8192}}, {{2147483647, 3}, {8192, 3}},
      {{0, 2147483647}, {1920, 1080}},
  };
  for (const auto& [reported, painted] : sizes) {
    EXPECT_EQ(paintedSize(reported).X, painted.X) << reported.X << " x " << reported.Y;
    EXPECT_EQ(paintedSize(reported).Y, painted.Y) << reported.X << " x " << reported.Y;
  }
  // What lies within the cut is painted where the plugin drew it.
  host.game().setScreenSize({2147483647, 2});
  const Image cut = paint([](CanvasWrapper& canvas) {
    canvas.SetColor(kRedColour);
    canvas.SetPosition(Vector2F{8190.0F, 0.0F});
    canvas.FillBox(Vector2F{100.0F, 1.0F});
  });
  EXPECT_EQ(cut.width, 8192);
  EXPECT_EQ(cut.height, 2);
  EXPECT_EQ(pixelAt(cut, 8191, 0), kRed);
  EXPECT_EQ(paintedAnywhere(cut), 2);
}

class SmallPainter : public Painter {
 protected:
  void SetUp() override { host.game().setScreenSize({40, 30}); }
};

TEST_F(SmallPainter, FillsBoxesAtThePositionInTheCurrentColour) {
  const Image image = paint([](CanvasWrapper& canvas) {
    canvas.SetColor(kRedColour);
    canvas.SetPosition(Vector2F{10.0F, 5.0F});
    canvas.FillBox(Vector2F{20.0F, 10.0F});
  });
  EXPECT_EQ(pixelAt(image, 10, 5), kRed);
  EXPECT_EQ(pixelAt(image, 29, 14), kRed);
  EXPECT_EQ(paintedIn(image, 10, 5, 30, 15), 200);
  EXPECT_EQ(paintedAnywhere(image), 200);
}

TEST_F(SmallPainter, OutlinesBoxesOnePixelWide) {
  const Image image = paint([](CanvasWrapper& canvas) {
    canvas.SetColor(kRedColour);
    canvas.SetPosition(Vector2F{10.0F, 5.0F});
    canvas.DrawBox(Vector2F{20.0F, 10.0F});
  });
  for (const auto& [x, y] : std::array<std::array<int, 2>, 6>{
           {{10, 5}, {29, 5}, {10, 14}, {29, 14}, {20, 5}, {10, 9}}}) {
    EXPECT_EQ(pixelAt(image, x, y), kRed) << x << ',' << y;
  }
  EXPECT_EQ(paintedIn(image, 11, 6, 29, 14), 0);
  EXPECT_EQ(paintedAnywhere(image), 2 * 20 + 2 * 8);
}

TEST_F(SmallPainter, DrawRectFillsBetweenItsPointsAndDrawLineJoinsThem) {
  const Image rect = paint([](CanvasWrapper& canvas) {
    canvas.SetColor(kRedColour);
    canvas.SetPosition(Vector2F{0.0F, 0.0F});
    canvas.DrawRect(Vector2{2, 3}, Vector2{12, 8});
  });
  EXPECT_EQ(paintedIn(rect, 2, 3, 12, 8), 50);
  EXPECT_EQ(paintedAnywhere(rect), 50);

  const Image line = paint([](CanvasWrapper& canvas) {
    canvas.SetColor(kRedColour);
    canvas.DrawLine(Vector2{5, 20}, Vector2{25, 20});
  });
  EXPECT_EQ(pixelAt(line, 5, 20), kRed);
  EXPECT_EQ(paintedIn(line, 5, 20, 25, 21), 20);
  EXPECT_EQ(paintedAnywhere(line), 20);
}

TEST_F(SmallPainter, BlendsTranslucentColoursOverTheBackground) {
  const Image image = paint([](CanvasWrapper& canvas) {
    canvas.SetColor({0.0F, 0.0F, 0.0F, 150.0F});
    canvas.SetPosition(Vector2F{0.0F, 0.0F});
    canvas.FillBox(Vector2F{1.0F, 1.0F});
    // Channels beyond the scale are clamped to it.
    canvas.SetColor({400.0F, -3.0F, 0.0F, 300.0F});
    canvas.SetPosition(Vector2F{1.0F, 0.0F});
    canvas.FillBox(Vector2F{1.0F, 1.0F});
  });
  EXPECT_EQ(pixelAt(image, 0, 0), (Pixel{16, 18, 21, 255}));
  EXPECT_EQ(pixelAt(image, 1, 0), kRed);
}

TEST_F(SmallPainter, DrawsThePictureAtItsScaleTintedByTheColour) {
  // 2 x 2: red, green / blue, white.
  const Image picture{2, 2, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255}};
  const auto file = folder.path() / "goal.png";
  writePng(picture, file);
  ImageWrapper goal(file.string(), true);
  ImageWrapper notLoaded(file.string(), false);
  const Image image = paint([&](CanvasWrapper& canvas) {
    canvas.SetPosition(Vector2F{4.0F, 2.0F});
    canvas.SetColor({255.0F, 255.0F, 255.0F, 255.0F});
    canvas.DrawTexture(&goal, 1.5F);
    canvas.SetPosition(Vector2F{20.0F, 20.0F});
    canvas.SetColor({255.0F, 0.0F, 255.0F, 255.0F});
    canvas.DrawTexture(&goal, 1.0F);
    canvas.DrawTexture(&notLoaded, 1.0F);
    canvas.DrawTexture(nullptr, 1.0F);
  });
  EXPECT_EQ(pixelAt(image, 4, 2), kRed);
  EXPECT_EQ(pixelAt(image, 6, 2), (Pixel{0, 255, 0, 255}));
  EXPECT_EQ(pixelAt(image, 6, 4), (Pixel{255, 255, 255, 255}));
  EXPECT_EQ(paintedIn(image, 4, 2, 7, 5), 9);
  EXPECT_EQ(pixelAt(image, 21, 20), (Pixel{0, 0, 0, 255}));
  EXPECT_EQ(pixelAt(image, 21, 21), (Pixel{255, 0, 255, 255}));
  EXPECT_EQ(paintedAnywhere(image), 9 + 4);
}

class TextPainter : public Painter {
 protected:
  void SetUp() override { host.game().setScreenSize({200, 80}); }

  // The picture of `text` drawn in white at (10, 20).
  Image text(const std::string& text, float xScale = 1.0F, float yScale = 1.0F) {
    return paint([&](CanvasWrapper& canvas) {
      canvas.SetColor(kWhiteColour);
      canvas.SetPosition(Vector2F{10.0F, 20.0F});
      canvas.DrawString(text, xScale, yScale);
    });
  }
};

TEST_F(TextPainter, TextStaysInsideTheSizeGetStringSizeReports) {
  for (const auto& [line, xScale, yScale] :
       {std::tuple<std::string, float, float>{"Rafta \xC9 hits: 5 gjpqy|", 1.0F, 1.0F},
        {"\xC9g_", 2.0F, 3.0F},
        {"\xC0\xC7\xE9\xFD", 1.0F, 1.0F}}) {
    const Vector2F size = HostFont::instance().measure(line, xScale, yScale);
    const int right = 10 + static_cast<int>(size.X);
    const int bottom = 20 + static_cast<int>(size.Y);
    const Image image = text(line, xScale, yScale);
    const int inside = paintedIn(image, 10, 20, right, bottom);
    EXPECT_GT(inside, 0) << line;
    EXPECT_EQ(paintedAnywhere(image), inside) << line;
    // Capitals with accents reach the box's first row, descenders its last.
    const int row = static_cast<int>(yScale);
    EXPECT_GT(paintedIn(image, 10, 20, right, 20 + row), 0) << line;
    EXPECT_GT(paintedIn(image, 10, bottom - row, right, bottom), 0) << line;
    EXPECT_GT(paintedIn(image, right - static_cast<int>(7 * xScale), 20, right, bottom), 0) << line;
  }
}

TEST_F(TextPainter, TextIsWindows1252AndUnknownCharactersShowTheFallback) {
  const Image accented = text("\xE9");
  EXPECT_NE(accented.rgba, text("e").rgba);
  EXPECT_NE(accented.rgba, text("?").rgba);
  EXPECT_EQ(text("\x80").rgba, text("?").rgba);
}

TEST_F(TextPainter, TextTakesTheCurrentColour) {
  const Image image = paint([](CanvasWrapper& canvas) {
    canvas.SetColor(kRedColour);
    canvas.SetPosition(Vector2F{10.0F, 20.0F});
    canvas.DrawString("H", 1.0F, 1.0F);
  });
  int red = 0;
  for (int y = 20; y < 33; ++y) {
    for (int x = 10; x < 17; ++x) {
      red += pixelAt(image, x, y) == kRed ? 1 : 0;
    }
  }
  EXPECT_GT(red, 0);
  EXPECT_EQ(red, paintedAnywhere(image));
}

}  // namespace
}  // namespace rafta::sim
