#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "ImagePixels.h"
#include "TestSupport.h"
#include "sim/run/ModuleLibrary.h"
#include "sim/run/Session.h"

namespace rafta::sim {
namespace {

using testing::readPng;

bool allBackground(const Image& image) {
  return !image.rgba.empty() && testing::countUnlike(image, testing::kFrameBackground) == 0;
}

class PngSession : public ::testing::Test {
 protected:
  testing::CapturedSession start() {
    SessionOptions options;
    options.pictureFolder = folder.path() / "pictures";
    return {std::make_unique<ModuleLibrary>(ECHO_PLUGIN), options};
  }

  [[nodiscard]] std::filesystem::path frame(const std::string& number) const {
    return folder.path() / "pictures" / ("frame-" + number + ".png");
  }

  testing::ScratchFolder folder;
};

TEST_F(PngSession, WritesEveryDrawnFrameNumberedThroughTheRun) {
  auto s = start();
  ASSERT_EQ(s.run("frame\npicture absent\nload\nscreen 320 200\nframe 2").code, ExitCode::Ok);
  ASSERT_EQ(s.run("restart\nscreen 0 0\nframe").code, ExitCode::Ok);
  EXPECT_EQ(readPng(frame("0001")).width, 1920);
  const Image drawn = readPng(frame("0002"));
  EXPECT_EQ(drawn.width, 320);
  EXPECT_EQ(drawn.height, 200);
  EXPECT_FALSE(allBackground(drawn));
  EXPECT_TRUE(allBackground(readPng(frame("0001"))));
  EXPECT_EQ(readPng(frame("0003")).width, 320);
  EXPECT_EQ(readPng(frame("0004")).width, 1920);
  EXPECT_FALSE(std::filesystem::exists(frame("0005")));
}

// The plugin still draws at the size the host reports; only the picture is cut, said once a size.
TEST_F(PngSession, AHugeScreenIsPaintedCutToTheMostAPictureHolds) {
  auto s = start();
  ASSERT_EQ(s.run("picture absent\nload\nscreen 2147483647 1\nframe 2\nscreen 1 9000\nframe\n"
                  "screen 2147483647 1\nframe")
                .code,
            ExitCode::Ok);
  EXPECT_EQ(s.err,
            (std::vector<std::string>{
                "test.scn:4: the screen size 2147483647 x 1 is painted as 8192 x 1 "
                "pixels, the most a picture holds being 8192 x 8192: what lies beyond is cut",
                "test.scn:6: the screen size 1 x 9000 is painted as 1 x 8192 pixels, the "
                "most a picture holds being 8192 x 8192: what lies beyond is cut",
                "test.scn:8: the screen size 2147483647 x 1 is painted as 8192 x 1 "
                "pixels, the most a picture holds being 8192 x 8192: what lies beyond is cut",
            }));
  EXPECT_EQ(readPng(frame("0001")).width, 8192);
  EXPECT_EQ(readPng(frame("0002")).width, 8192);
  EXPECT_EQ(readPng(frame("0003")).height, 8192);
  EXPECT_EQ(readPng(frame("0004")).width, 8192);
}

TEST_F(PngSession, AFolderThatCannotBeMadeStopsTheSession) {
  testing::writeFile(folder.path() / "pictures", "a file in the way");
  EXPECT_THROW(start(), std::filesystem::filesystem_error);
}

}  // namespace
}  // namespace rafta::sim
