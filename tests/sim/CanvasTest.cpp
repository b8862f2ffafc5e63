#include <gtest/gtest.h>

#include <memory>
#include <variant>

#include "CanvasWrapper.h"
#include "GameWrapper.h"
#include "Host.h"
#include "ImageWrapper.h"
#include "TestSupport.h"

namespace rafta::sim {
namespace {

class CanvasFrames : public ::testing::Test {
 protected:
  testing::ScratchFolder folder;
  Host host{HostOptions{folder.path(), {}, {}}};
  std::shared_ptr<GameWrapper> game = host.gameWrapper();
};

TEST_F(CanvasFrames, EachFrameStartsWithAFreshRecord) {
  int frame = 0;
  game->RegisterDrawable([&](CanvasWrapper canvas) {
    ++frame;
    canvas.SetPosition({1.0F, 2.0F});
    if (frame == 1) {
      canvas.DrawString("first", 1.0F, 1.0F);
    }
  });
  EXPECT_EQ(host.lastFrame(), nullptr);
  host.drawFrames(2);
  ASSERT_NE(host.lastFrame(), nullptr);
  EXPECT_EQ(host.lastFrame()->calls().size(), 1U);
  EXPECT_TRUE(std::holds_alternative<canvas::SetPosition>(host.lastFrame()->calls()[0]));
}

TEST_F(CanvasFrames, ADrawableThatUnregistersKeepsItsFrameButNotTheNext) {
  int calls = 0;
  game->RegisterDrawable([&](CanvasWrapper) {
    ++calls;
    game->UnregisterDrawables();
  });
  game->RegisterDrawable([&](CanvasWrapper) { ++calls; });
  host.drawFrames(3);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(host.lastFrame()->calls().empty());
}

TEST_F(CanvasFrames, ADrawnPictureOutlivesTheImageThatDrewIt) {
  const auto file = folder.path() / "images" / "goal.png";
  testing::writeFile(file, testing::tinyPng());
  // The plugin writes Windows paths.
  auto image = std::make_shared<ImageWrapper>(folder.path().string() + "\\images\\goal.png", true);
  ASSERT_TRUE(image->IsLoadedForCanvas());
  game->RegisterDrawable([&](CanvasWrapper canvas) { canvas.DrawTexture(image.get(), 0.5F); });
  host.drawFrames(1);
  image.reset();
  const auto& texture = std::get<canvas::DrawTexture>(host.lastFrame()->calls().at(0));
  ASSERT_NE(texture.picture, nullptr);
  EXPECT_EQ(texture.picture->width, 2);
  EXPECT_EQ(texture.picture->height, 1);
  EXPECT_EQ(texture.picture->rgba.at(0), 0xFF);
  EXPECT_EQ(texture.picture->rgba.at(7), 0x80);
  EXPECT_FLOAT_EQ(texture.scale, 0.5F);
}

TEST_F(CanvasFrames, PicturesThatCannotBeDecodedAreNotLoaded) {
  testing::writeFile(folder.path() / "bad.png", "not a picture");
  EXPECT_FALSE(ImageWrapper((folder.path() / "bad.png").string(), true).IsLoadedForCanvas());
  EXPECT_FALSE(ImageWrapper((folder.path() / "missing.png").string(), true).IsLoadedForCanvas());
  testing::writeFile(folder.path() / "good.png", testing::tinyPng());
  ImageWrapper notForCanvas((folder.path() / "good.png").string(), false);
  EXPECT_FALSE(notForCanvas.IsLoadedForCanvas());
  game->RegisterDrawable([&](CanvasWrapper canvas) {
    canvas.DrawTexture(&notForCanvas, 1.0F);
    canvas.DrawTexture(nullptr, 1.0F);
  });
  host.drawFrames(1);
  for (const auto& call : host.lastFrame()->calls()) {
    EXPECT_EQ(std::get<canvas::DrawTexture>(call).picture, nullptr);
  }
}

}  // namespace
}  // namespace rafta::sim
