// The overlay's layouts, read from the canvas calls of a frame as the host traces them. The host
// measures text at 7 pixels a character and 13 high: the counter line is 308 x 13.
#include <gtest/gtest.h>

#include <string>

#include "PluginHost.h"

namespace rafta::testing {
namespace {

const std::string kWhite = "SetColor 255 255 255 255";
const std::string kYellow = "SetColor 255 255 0 255";
const std::string kLine = "DrawString \"Rafta hits | match: 0 | session 0 | total: 0\" 1 1";

std::string style(int number) {
  return typed(names::kOverlayStyleVariable, std::to_string(number));
}
std::string at(const std::string& x, const std::string& y) {
  return typed(names::kOverlayXVariable, x) + typed(names::kOverlayYVariable, y);
}

// The plugin loaded with its picture, on a 1920 x 1080 screen.
class Overlay : public ::testing::Test {
 protected:
  void SetUp() override { s.run("load"); }

  PluginHost s;
};

TEST_F(Overlay, ClassiqueBoxesThePictureAndTheTextWithFivePixelMargins) {
  EXPECT_EQ(s.frameOf(), (Strings{"SetPosition 100 100", "SetColor 0 0 0 150", "FillBox 355 42",
                                  "SetPosition 100 100", "SetColor 0 0 0 255", "DrawBox 355 42",
                                  "SetPosition 105 105", kWhite, "DrawTexture goal.png 0.5",
                                  "SetPosition 142 114.5", kWhite, kLine}));
}

TEST_F(Overlay, LargeDoublesThePictureOnADarkBlueBox) {
  EXPECT_EQ(
      s.frameOf(style(2)),
      (Strings{"SetPosition 100 100", "SetColor 20 20 60 200", "FillBox 387 74",
               "SetPosition 100 100", "SetColor 0 0 0 255", "DrawBox 387 74", "SetPosition 105 105",
               kWhite, "DrawTexture goal.png 1", "SetPosition 174 130.5", kWhite, kLine}));
}

TEST_F(Overlay, AnyUnknownStyleIsClassique) {
  const Strings classique = s.frameOf();
  EXPECT_EQ(s.frameOf(style(5)), classique);
  EXPECT_EQ(s.frameOf(style(-1)), classique);
}

// The position it was moved to is the one unload stores, not the variable's.
TEST_F(Overlay, BoxedLayoutsStayOnTheCanvasAndKeepTheClampedPosition) {
  EXPECT_EQ(s.frameOf(at("1800", "1060")).at(0), "SetPosition 1565 1038");
  EXPECT_EQ(s.cvar(names::kOverlayXVariable), "1800") << "the variable keeps its value";
  EXPECT_EQ(s.frameOf(at("-40", "-3")).at(0), "SetPosition 0 0");
  s.run(at("1800", "1060") + "frame\nwait 1\nunload");
  EXPECT_EQ(s.stored(names::kOverlayXVariable), "1565");
  EXPECT_EQ(s.stored(names::kOverlayYVariable), "1038");
}

TEST_F(Overlay, UnboxedLayoutsUseANegativePositionAsItIs) {
  s.run(at("-40", "-3"));
  EXPECT_EQ(s.frameOf(style(1)).at(0), "SetPosition -40 -3");
  EXPECT_EQ(s.frameOf(style(3)).at(0), "SetPosition -40 -3");
  EXPECT_EQ(s.frameOf(style(4)).at(1), "DrawRect -48 -11 52 70");
}

TEST(OverlayCounters, MinimalisteShowsTheSessionAndSobreTheWholeLineInYellow) {
  PluginHost s(std::string(names::kTotalVariable) + " \"12\"\n");
  s.run(std::string(kReadyToCount) +
        "hit\nclock 21\nhit\nclock 22\nhit\nevent BeginRound\nclock 23\nhit\nclock 24\nhit");
  EXPECT_EQ(s.frameOf(style(1)),
            (Strings{"SetPosition 100 100", kYellow, "DrawString \"Rafta hits: 5\" 1 1"}));
  EXPECT_EQ(s.frameOf(style(3)),
            (Strings{"SetPosition 100 100", kYellow,
                     "DrawString \"Rafta hits | match: 2 | session 5 | total: 17\" 1 1"}));
}

TEST(OverlayCounters, TableauTruncatesItsPositionAndDrawsAFixedPanel) {
  PluginHost s(std::string(names::kTotalVariable) + " \"-3\"\n");
  s.run("load\nwait 1");
  EXPECT_EQ(
      s.frameOf(style(4) + at("100.7", "50.2")),
      (Strings{"SetColor 0 0 0 150", "DrawRect 92 42 192 123", kWhite, "SetPosition 100 50",
               "DrawString \"Rafta hits\" 1 1", "DrawLine 100 65 185 65", "SetPosition 100 70",
               "DrawString \"Match: 0\" 1 1", "SetPosition 100 85", "DrawString \"Session: 0\" 1 1",
               "SetPosition 100 100", "DrawString \"Total: -3\" 1 1"}));
}

TEST(OverlayPicture, AMissingPictureNarrowsTheBoxAndIsReportedEveryFrame) {
  PluginHost s;
  s.run("picture absent\nload");
  EXPECT_EQ(s.frameOf(), (Strings{"SetPosition 100 100", "SetColor 0 0 0 150", "FillBox 318 42",
                                  "SetPosition 100 100", "SetColor 0 0 0 255", "DrawBox 318 42",
                                  "SetPosition 105 114.5", kWhite, kLine}));
  EXPECT_EQ(s.lastLog(), "Image goal.png non disponible pour le rendu");
  EXPECT_EQ(s.linesOf("frame 2"), (Strings{"Image goal.png non disponible pour le rendu",
                                           "Image goal.png non disponible pour le rendu"}));
}

TEST_F(Overlay, AnUnusableScreenSizeIsReportedOncePerRun) {
  s.frameOf("screen 1920 1080");
  const std::string invalid =
      "[class Rafta] Erreur : canvasSize invalide, utilisation de "
      "valeurs par défaut";
  s.run(at("1800", "1060"));
  const std::size_t before = s.log().size();
  EXPECT_EQ(s.frameOf("screen 0 0").at(0), "SetPosition 1565 1038")
      << "laid out against 1920 x 1080";
  s.frameOf("screen -5 1080");
  s.frameOf("screen 1920 0");
  s.frameOf("screen 800 600");
  s.frameOf("screen 0 0");
  EXPECT_EQ(Strings(s.log().begin() + static_cast<std::ptrdiff_t>(before), s.log().end()),
            (Strings{invalid, invalid}));
}

TEST_F(Overlay, SwitchedOffItDrawsNothingAndWritesNothing) {
  s.run(command(names::kToggleOverlayCommand));
  const std::size_t lines = s.log().size();
  s.run("screen 0 0\nframe\nexpect nothing-drawn\nscreen 1920 1080");
  EXPECT_EQ(s.log().size(), lines);
}

// A typed position that is no number is put back to the one held, and never stored.
TEST_F(Overlay, PositionsThatAreNoNumbersArePutBack) {
  EXPECT_EQ(s.frameOf(at("nan", "inf")).at(0), "SetPosition 100 100");
  EXPECT_EQ(s.cvar(names::kOverlayXVariable), "100");
  EXPECT_EQ(s.frameOf(style(3)).at(0), "SetPosition 100 100");
  EXPECT_EQ(s.frameOf(at("-inf", "1e30")).at(0), "SetPosition 100 1e+30");
  EXPECT_EQ(s.frameOf(style(0)).at(0), "SetPosition 100 1038");
}

TEST_F(Overlay, TableauKeepsHugePositionsWithinTheIntRange) {
  s.run(style(4));
  EXPECT_EQ(s.frameOf(at("1e30", "-1e30")).at(1),
            "DrawRect 2147483547 -2147483648 2147483647 -2147483567");
}

}  // namespace
}  // namespace rafta::testing
