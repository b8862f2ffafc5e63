#include "sim/canvas/HostFont.h"

#include <gtest/gtest.h>

#include <memory>
#include <variant>

#include "TestSupport.h"
#include "bakkesmod/wrappers/GameWrapper.h"
#include "bakkesmod/wrappers/canvaswrapper.h"
#include "sim/host/Host.h"

namespace rafta::sim {
namespace {

Vector2F measure(const std::string& text, float xScale = 1.0F, float yScale = 1.0F) {
  return HostFont::instance().measure(text, xScale, yScale);
}

TEST(HostFont, MeasuresSevenPixelsAGlyphAndThirteenALine) {
  EXPECT_FLOAT_EQ(measure("Rafta hits").X, 70.0F);
  EXPECT_FLOAT_EQ(measure("Rafta hits").Y, 13.0F);
  EXPECT_FLOAT_EQ(measure("abc", 2.0F, 3.0F).X, 42.0F);
  EXPECT_FLOAT_EQ(measure("abc", 2.0F, 3.0F).Y, 39.0F);
  EXPECT_FLOAT_EQ(measure("").X, 0.0F);
  EXPECT_FLOAT_EQ(measure("").Y, 13.0F);
}

TEST(HostFont, ReadsTextAsWindows1252) {
  // As UTF-8 these bytes would be broken sequences, not one glyph each.
  EXPECT_FLOAT_EQ(measure("\xE9t\xE9").X, 21.0F);
  // The euro sign lies outside the font's range: the fallback glyph stands in for it.
  EXPECT_FLOAT_EQ(measure("\x80").X, 7.0F);
}

class StringSize : public ::testing::Test {
 protected:
  // What the plugin's drawable measured on the last frame.
  Vector2F measuredByPlugin(const std::string& text) {
    Vector2F size{0.0F, 0.0F};
    game->RegisterDrawable(
        [&](CanvasWrapper canvas) { size = canvas.GetStringSize(text, 2.0F, 1.0F); });
    host.frames().draw(1);
    game->UnregisterDrawables();
    return size;
  }

  testing::ScratchFolder folder;
  Host host{HostOptions{folder.path(), {}, {}}};
  std::shared_ptr<GameWrapper> game = host.gameWrapper();
};

TEST_F(StringSize, IsTheHostFontsUnlessATestFixesIt) {
  EXPECT_FLOAT_EQ(measuredByPlugin("abcd").X, 56.0F);
  EXPECT_FLOAT_EQ(measuredByPlugin("abcd").Y, 13.0F);

  host.frames().setTextMeasure([](const std::string& text, float xScale, float yScale) {
    return Vector2F{static_cast<float>(text.size()) * 100.0F * xScale, yScale};
  });
  const Vector2F fixed = measuredByPlugin("abcd");
  EXPECT_FLOAT_EQ(fixed.X, 800.0F);
  EXPECT_FLOAT_EQ(fixed.Y, 1.0F);
  const auto& call = std::get<canvas::MeasureString>(host.frames().lastFrame()->calls().at(0));
  EXPECT_EQ(call.text, "abcd");
  EXPECT_FLOAT_EQ(call.xScale, 2.0F);
}

TEST_F(StringSize, ANullCanvasMeasuresNothing) {
  const Vector2F size = CanvasWrapper(0).GetStringSize("abc", 1.0F, 1.0F);
  EXPECT_FLOAT_EQ(size.X, 0.0F);
  EXPECT_FLOAT_EQ(size.Y, 0.0F);
}

}  // namespace
}  // namespace rafta::sim
