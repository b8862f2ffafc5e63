// The overlay's layouts, read from the canvas calls of a frame.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "PluginScript.h"
#include "sim/canvas/Canvas.h"

namespace rafta::testing {
namespace {

using Strings = std::vector<std::string>;

std::string number(float value) {
  char text[32];  // NOLINT(*-avoid-c-arrays)
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

// Whole pixels exactly, fractions as %g.
std::string number(const sim::canvas::Point& point) {
  if (const auto* whole = std::get_if<Vector2>(&point)) {
    return std::to_string(whole->X) + " " + std::to_string(whole->Y);
  }
  const Vector2F v = sim::canvas::toFloat(point);
  return number(v.X) + " " + number(v.Y);
}

// One short line a call, numbers as %g.
std::string line(const sim::CanvasCall& call) {
  return std::visit(
      [](const auto& c) -> std::string {
        using T = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<T, sim::canvas::SetColor>) {
          return "color " + number(c.color.R) + " " + number(c.color.G) + " " + number(c.color.B) +
                 " " + number(c.color.A);
        } else if constexpr (std::is_same_v<T, sim::canvas::SetPosition>) {
          return "at " + number(c.position.X) + " " + number(c.position.Y);
        } else if constexpr (std::is_same_v<T, sim::canvas::DrawString>) {
          return "text " + c.text;
        } else if constexpr (std::is_same_v<T, sim::canvas::MeasureString>) {
          return "measure " + c.text;
        } else if constexpr (std::is_same_v<T, sim::canvas::FillBox>) {
          return "fill " + number(c.size.X) + " " + number(c.size.Y);
        } else if constexpr (std::is_same_v<T, sim::canvas::DrawBox>) {
          return "box " + number(c.size.X) + " " + number(c.size.Y);
        } else if constexpr (std::is_same_v<T, sim::canvas::DrawLine>) {
          return "line " + number(c.start) + " " + number(c.end);
        } else if constexpr (std::is_same_v<T, sim::canvas::DrawRect>) {
          return "rect " + number(c.start) + " " + number(c.end);
        } else if constexpr (std::is_same_v<T, sim::canvas::DrawTexture>) {
          return "picture " + number(c.scale);
        } else {
          return "stretched picture " + number(c.size.X) + " " + number(c.size.Y);
        }
      },
      call);
}

// The plugin loaded with its picture, text measured as 300 x 20, on a 1920 x 1080 screen.
class Overlay : public ::testing::Test {
 protected:
  void SetUp() override {
    s.run("load");
    s.host().frames().setTextMeasure([](const std::string&, float, float) {
      return Vector2F{300, 20};
    });
  }

  // Draws one frame and gives its calls, less the measurement every frame starts with.
  Strings frame(const std::string& before = "") {
    s.run(before + "\nframe");
    Strings calls;
    for (const sim::CanvasCall& call : s.host().frames().lastFrame()->calls()) {
      calls.push_back(line(call));
    }
    if (!calls.empty() && calls.front().rfind("measure ", 0) == 0) {
      calls.erase(calls.begin());
    }
    return calls;
  }

  PluginScript s;
};

const std::string kWhite = "color 255 255 255 255";
const std::string kLine = "text Rafta hits | match: 0 | session 0 | total: 0";

TEST_F(Overlay, ClassiqueBoxesThePictureAndTheTextWithFivePixelMargins) {
  EXPECT_EQ(frame(), (Strings{"at 100 100", "color 0 0 0 150", "fill 347 42", "at 100 100",
                              "color 0 0 0 255", "box 347 42", "at 105 105", kWhite, "picture 0.5",
                              "at 142 111", kWhite, kLine}));
}

TEST_F(Overlay, LargeDoublesThePictureOnADarkBlueBox) {
  EXPECT_EQ(
      frame("console rafta_overlay_style 2"),
      (Strings{"at 100 100", "color 20 20 60 200", "fill 379 74", "at 100 100", "color 0 0 0 255",
               "box 379 74", "at 105 105", kWhite, "picture 1", "at 174 127", kWhite, kLine}));
}

TEST_F(Overlay, AnyUnknownStyleIsClassique) {
  const Strings classique = frame();
  EXPECT_EQ(frame("console rafta_overlay_style 7"), classique);
  EXPECT_EQ(frame("console rafta_overlay_style -1"), classique);
}

TEST_F(Overlay, BoxedLayoutsStayOnTheCanvasAndKeepTheClampedPosition) {
  EXPECT_EQ(frame("console rafta_overlay_x 1800\nconsole rafta_overlay_y 1060").at(0),
            "at 1573 1038");
  EXPECT_EQ(s.plugin().overlayX, 1573.0F);
  EXPECT_EQ(s.plugin().overlayY, 1038.0F);
  EXPECT_EQ(s.host().console().findCvar("rafta_overlay_x")->text(), "1800")
      << "the variable keeps its value";
  EXPECT_EQ(frame("console rafta_overlay_x -40\nconsole rafta_overlay_y -3").at(0), "at 0 0");
}

TEST_F(Overlay, UnboxedLayoutsUseANegativePositionAsItIs) {
  s.run("console rafta_overlay_x -40\nconsole rafta_overlay_y -3");
  EXPECT_EQ(frame("console rafta_overlay_style 1").at(0), "at -40 -3");
  EXPECT_EQ(frame("console rafta_overlay_style 3").at(0), "at -40 -3");
  EXPECT_EQ(frame("console rafta_overlay_style 4").at(0), "color 0 0 0 150");
  EXPECT_EQ(frame().at(1), "rect -48 -11 52 70");
}

TEST_F(Overlay, MinimalisteShowsTheSessionAndSobreTheWholeLineInYellow) {
  s.plugin().matchHitCount = 2;
  s.plugin().sessionHitCount = 5;
  s.plugin().totalHitCount = 17;
  EXPECT_EQ(frame("console rafta_overlay_style 1"),
            (Strings{"at 100 100", "color 255 255 0 255", "text Rafta hits: 5"}));
  EXPECT_EQ(frame("console rafta_overlay_style 3"),
            (Strings{"at 100 100", "color 255 255 0 255",
                     "text Rafta hits | match: 2 | session 5 | total: 17"}));
}

TEST_F(Overlay, TableauTruncatesItsPositionAndDrawsAFixedPanel) {
  s.plugin().totalHitCount = -3;
  EXPECT_EQ(frame("console rafta_overlay_style 4\nconsole rafta_overlay_x 100.7\n"
                  "console rafta_overlay_y 50.2"),
            (Strings{"color 0 0 0 150", "rect 92 42 192 123", kWhite, "at 100 50",
                     "text Rafta hits", "line 100 65 185 65", "at 100 70", "text Match: 0",
                     "at 100 85", "text Session: 0", "at 100 100", "text Total: -3"}));
}

TEST_F(Overlay, AMissingPictureNarrowsTheBoxAndIsReportedEveryFrame) {
  s.plugin().goalImage.reset();
  EXPECT_EQ(frame(), (Strings{"at 100 100", "color 0 0 0 150", "fill 310 42", "at 100 100",
                              "color 0 0 0 255", "box 310 42", "at 105 111", kWhite, kLine}));
  EXPECT_EQ(s.log().back(), "Image goal.png non disponible pour le rendu");
  const std::size_t lines = s.log().size();
  frame();
  EXPECT_EQ(s.log().size(), lines + 1);
}

TEST_F(Overlay, AnUnusableScreenSizeIsReportedOncePerRun) {
  frame("screen 1920 1080");
  const std::size_t before = s.log().size();
  const std::string invalid =
      "[class Rafta] Erreur : canvasSize invalide, utilisation de "
      "valeurs par défaut";
  s.run("console rafta_overlay_x 1800\nconsole rafta_overlay_y 1060");
  EXPECT_EQ(frame("screen 0 0").at(0), "at 1573 1038") << "laid out against 1920 x 1080";
  frame("screen -5 1080");
  frame("screen 1920 0");
  frame("screen 800 600");
  frame("screen 0 0");
  const Strings log = s.log();
  EXPECT_EQ(Strings(log.begin() + static_cast<std::ptrdiff_t>(before), log.end()),
            (Strings{invalid, invalid}));
}

TEST_F(Overlay, SwitchedOffItDrawsNothingAndWritesNothing) {
  s.plugin().overlayEnabled = false;
  const std::size_t lines = s.log().size();
  s.run("screen 0 0\nframe\nexpect nothing-drawn\nscreen 1920 1080");
  EXPECT_EQ(s.log().size(), lines);
}

TEST_F(Overlay, PositionsNoScreenHasCountAsTheOrigin) {
  EXPECT_EQ(frame("console rafta_overlay_x nan\nconsole rafta_overlay_y inf").at(0), "at 0 0");
  EXPECT_EQ(frame("console rafta_overlay_style 3").at(0), "at 0 0");
  EXPECT_EQ(frame("console rafta_overlay_x -inf\nconsole rafta_overlay_y 1e30").at(0),
            "at 0 1e+30");
  EXPECT_EQ(frame("console rafta_overlay_style 0").at(0), "at 0 1038");
}

TEST_F(Overlay, TableauKeepsHugePositionsWithinTheIntRange) {
  s.run("console rafta_overlay_style 4");
  EXPECT_EQ(frame("console rafta_overlay_x 1e30\nconsole rafta_overlay_y -1e30").at(1),
            "rect 2147483547 -2147483648 2147483647 -2147483567");
}

}  // namespace
}  // namespace rafta::testing
