#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "TestSupport.h"
#include "bakkesmod/wrappers/GameWrapper.h"
#include "bakkesmod/wrappers/ImageWrapper.h"
#include "bakkesmod/wrappers/canvaswrapper.h"
#include "sim/host/Host.h"

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
    canvas.SetPosition(Vector2F{1.0F, 2.0F});
    if (frame == 1) {
      canvas.DrawString("first", 1.0F, 1.0F);
    }
  });
  EXPECT_EQ(host.frames().lastFrame(), nullptr);
  host.frames().draw(2);
  ASSERT_NE(host.frames().lastFrame(), nullptr);
  EXPECT_EQ(host.frames().lastFrame()->calls().size(), 1U);
  EXPECT_TRUE(std::holds_alternative<canvas::SetPosition>(host.frames().lastFrame()->calls()[0]));
}

TEST_F(CanvasFrames, ADrawableThatUnregistersKeepsItsFrameButNotTheNext) {
  int calls = 0;
  game->RegisterDrawable([&](CanvasWrapper) {
    ++calls;
    game->UnregisterDrawables();
  });
  game->RegisterDrawable([&](CanvasWrapper) { ++calls; });
  host.frames().draw(3);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(host.frames().lastFrame()->calls().empty());
}

TEST_F(CanvasFrames, ADrawnPictureOutlivesTheImageThatDrewIt) {
  const auto file = folder.path() / "images" / "goal.png";
  testing::writeFile(file, testing::tinyPng());
  // The plugin writes Windows paths.
  auto image = std::make_shared<ImageWrapper>(folder.path().string() + "\\images\\goal.png", true);
  ASSERT_TRUE(image->IsLoadedForCanvas());
  game->RegisterDrawable([&](CanvasWrapper canvas) { canvas.DrawTexture(image.get(), 0.5F); });
  host.frames().draw(1);
  image.reset();
  const auto& texture = std::get<canvas::DrawTexture>(host.frames().lastFrame()->calls().at(0));
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
  host.frames().draw(1);
  for (const auto& call : host.frames().lastFrame()->calls()) {
    EXPECT_EQ(std::get<canvas::DrawTexture>(call).picture, nullptr);
  }
}

// Every overload the host offers is recorded as the call it stands for, and traced in the forms of
// the plugin's own calls, with what the plugin's forms lack added at the end.
TEST_F(CanvasFrames, TheOtherOverloadsRecordWhatTheyStandFor) {
  testing::writeFile(folder.path() / "goal.png", testing::tinyPng());
  ImageWrapper wide(folder.path().wstring(), false);
  ImageWrapper picture(folder.path() / "goal.png", true);
  ASSERT_TRUE(picture.IsLoadedForCanvas()) << "the path overload loads as the string one does";
  game->RegisterDrawable([&](CanvasWrapper canvas) {
    canvas.SetPosition(Vector2{3, 4});
    canvas.SetColor(static_cast<char>(200), 0, 10, static_cast<char>(255));
    canvas.FillBox(Vector2{5, 6});
    canvas.DrawBox(Vector2{7, 8});
    canvas.DrawLine(Vector2F{0.5F, 1.5F}, Vector2F{2.0F, 3.0F}, 2.5F);
    canvas.DrawLine(Vector2{2147483647, 0}, Vector2{1, 2});
    canvas.DrawRect(Vector2F{1.5F, 2.0F}, Vector2F{3.0F, 4.0F});
    canvas.DrawRect(32.0F, 16.0F, &picture);
    canvas.DrawString("plain");
    canvas.DrawString("shadowed", 2.0F, 1.0F, true, true);
    EXPECT_EQ(canvas.GetStringSize("abc").X, 21.0F) << "scale 1 by default";
  });
  std::vector<std::string> traced;
  host.reports().setTraceSink([&](const std::string& line) { traced.push_back("| " + line); });
  host.frames().draw(1);
  const std::vector<std::string> expected{
      "| frame",
      "| canvas SetPosition 3 4",
      "| canvas SetColor 200 0 10 255",
      "| canvas FillBox 5 6",
      "| canvas DrawBox 7 8",
      "| canvas DrawLine 0.5 1.5 2 3 width 2.5",
      "| canvas DrawLine 2147483647 0 1 2",
      "| canvas DrawRect 1.5 2 3 4",
      "| canvas DrawRect 32 16 " + (folder.path() / "goal.png").string(),
      "| canvas DrawString \"plain\" 1 1",
      "| canvas DrawString \"shadowed\" 2 1 shadow wrap",
      "| canvas GetStringSize \"abc\" 1 1"};
  EXPECT_EQ(traced, expected);
  EXPECT_FALSE(wide.IsLoadedForCanvas());
}

}  // namespace
}  // namespace rafta::sim
