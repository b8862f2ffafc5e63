#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ImagePixels.h"
#include "TestSupport.h"
#include "sim/pictures/PictureFolder.h"

namespace rafta::sim {
namespace {

using testing::readPng;

const Image kTiny{2, 1, {1, 2, 3, 4, 250, 251, 252, 0}};

TEST(PngFile, KeepsEveryChannelOfEveryPixel) {
  testing::ScratchFolder folder;
  writePng(kTiny, folder.path() / "tiny.png");
  const Image read = readPng(folder.path() / "tiny.png");
  EXPECT_EQ(read.width, 2);
  EXPECT_EQ(read.height, 1);
  EXPECT_EQ(read.rgba, kTiny.rgba);
}

TEST(PngFile, FailuresNameTheFile) {
  testing::ScratchFolder folder;
  const auto missing = folder.path() / "no such folder" / "x.png";
  try {
    writePng(kTiny, missing);
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(missing.string()), std::string::npos) << error.what();
  }
  EXPECT_THROW(writePng(Image{2, 2, {1, 2, 3, 4}}, folder.path() / "short.png"),
               std::runtime_error);
  EXPECT_THROW(writePng(Image{}, folder.path() / "empty.png"), std::runtime_error);
}

TEST(PictureFolder, NumbersEachKindOnItsOwnInADeepFolderItMakes) {
  testing::ScratchFolder folder;
  const auto deep = folder.path() / "a" / "b";
  PictureFolder pictures(deep);
  EXPECT_TRUE(std::filesystem::is_directory(deep));
  EXPECT_EQ(pictures.write("frame", kTiny), deep / "frame-0001.png");
  EXPECT_EQ(pictures.write("settings", kTiny), deep / "settings-0001.png");
  EXPECT_EQ(pictures.write("frame", kTiny), deep / "frame-0002.png");
  EXPECT_EQ(readPng(deep / "frame-0002.png").rgba, kTiny.rgba);
}

}  // namespace
}  // namespace rafta::sim
