// The settings page driven with real Dear ImGui input through rafta-sim and the real module.
#include <gtest/gtest.h>

#include <string>

#include "SimRunner.h"

namespace rafta::testing {
namespace {

// One counted hit, the stored total read, the overlay showing all three counters in yellow.
const std::string kOneHitCounted =
    "car me id me-id team 0\nlocal me\nstate ingame=1\nball pos 0 4000 100 vel 1000 0 0\n"
    "load\nwait 1\nclock 20\ntouch me\nhit\nconsole rafta_overlay_style 3\n";

ProgramRun play(const std::string& script, const std::string& config = "") {
  const SimWorkspace workspace;
  if (!config.empty()) {
    workspace.writeConfig(config);
  }
  return workspace.play(script);
}

TEST(SettingsPage, TheFirstPageAfterEachLoadHandsOverTheContext) {
  const ProgramRun run = play("load\nsettings 2\nrestart\nsettings\n");
  ASSERT_EQ(run.status, 0) << run.err;
  int handovers = 0;
  for (const std::string& line : run.outLines()) {
    handovers += line.rfind("Contexte ImGui défini : ", 0) == 0 ? 1 : 0;
  }
  EXPECT_EQ(handovers, 2);
}

TEST(SettingsPage, TheSessionResetClearsOnlyTheSessionCounter) {
  const ProgramRun run = play(kOneHitCounted +
                              "click \"Reinitialiser le compteur session\"\nframe\n"
                              "expect drawn \"Rafta hits | match: 1 | session 0 | total: 1\"\n"
                              "expect stored rafta_total_hit_count 1\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST(SettingsPage, TheTotalResetWritesZeroButCommitsNothing) {
  const ProgramRun run =
      play(kOneHitCounted +
           "click \"Reinitialiser le compteur total\"\nframe\n"
           "expect drawn \"Rafta hits | match: 1 | session 1 | total: 0\"\n"
           "expect cvar rafta_total_hit_count 0\nexpect stored rafta_total_hit_count 1\n"
           "unload\nexpect stored rafta_total_hit_count 0\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST(SettingsPage, TheXSliderWritesAndCommitsXAlone) {
  const ProgramRun run = play(
      "load\nconsole rafta_overlay_y 500\nslide \"Position X\" 250.5\n"
      "expect cvar rafta_overlay_x 250.5\nexpect stored rafta_overlay_x 250.5\n"
      "expect cvar rafta_overlay_y 500\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST(SettingsPage, APositionOffTheScreenIsPulledBackWithoutWritingAnything) {
  const ProgramRun run = play(
      "load\nconsole rafta_overlay_style 3\nconsole rafta_overlay_x 2500\nframe\n"
      "settings\nexpect cvar rafta_overlay_x 2500\n"
      "unload\nexpect stored rafta_overlay_x 1920\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST(SettingsPage, AStyleOutOfRangeIsReplacedByTheChosenOne) {
  const ProgramRun run = play(
      "load\nsettings\nchoose Sobre\nexpect cvar rafta_overlay_style 3\n"
      "expect stored rafta_overlay_style 3\n",
      "rafta_overlay_style \"7\"\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST(SettingsPage, ChoosingTheCurrentStyleStillWritesAndCommits) {
  const ProgramRun run = play(
      "load\nsettings\nconsole rafta_overlay_style 4\nconsole rafta_overlay_x 777\n"
      "choose Classique\nexpect cvar rafta_overlay_style 0\nexpect stored rafta_overlay_x 777\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST(SettingsPage, AConsoleStyleIsOverwrittenByTheNextChoice) {
  const ProgramRun run = play(
      "load\nsettings\nconsole rafta_overlay_style 4\nframe\nexpect drawn \"Rafta hits\"\n"
      "settings\nexpect cvar rafta_overlay_style 4\nchoose Large\n"
      "expect cvar rafta_overlay_style 2\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST(SettingsPage, TheCountingSwitchesLastUntilTheNextObject) {
  const ProgramRun run =
      play(kOneHitCounted +
           "toggle \"All Match\"\nclock 30\nhit\n"
           "expect log \"Match détecté, comptage ignoré car désactivé\"\n"
           "state ingame=0 freeplay=1\ntoggle \" Freeplay / Entrainement\"\n"
           "touch me\n"
           "expect log \"Freeplay ou training détecté, comptage ignoré car désactivé\"\n"
           "restart\nwait 1\nclock 30\ntouch me\nhit\n"
           "expect log \"Incrémentation compteur barre/poteau ! Total = 2\"\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST(SettingsPage, TheOverlaySwitchHidesTheOverlayAndIsStoredAtUnload) {
  const ProgramRun run = play(
      "load\ntoggle \"Afficher overlay\"\nframe\nexpect nothing-drawn\n"
      "unload\nexpect stored rafta_overlay_enabled 0\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

}  // namespace
}  // namespace rafta::testing
