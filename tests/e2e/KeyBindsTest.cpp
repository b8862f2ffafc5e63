// The console commands a player binds to keys, typed at rafta-sim's console against the real
// module: what each says, what the overlay shows after it, and what is stored.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SimRunner.h"

namespace rafta::testing {
namespace {

// A match in progress with our car on the ball, the stored total of 7 read, nothing counted yet.
const std::string kMatch =
    "car me id me-id team 0\nlocal me\nstate ingame=1\nball pos 0 4000 100 vel 1000 0 0\n"
    "load\nwait 1\nevent PostBeginPlay\nclock 20\n";
const std::string kStored7 = "rafta_total_hit_count \"7\"\n";

struct Played {
  ProgramRun run;
  std::string config;
};

Played play(const std::string& script, const std::string& config = kStored7) {
  const SimWorkspace workspace;
  workspace.writeConfig(config);
  ProgramRun run = workspace.play(script);
  return {run, workspace.readConfig()};
}

TEST(KeyBinds, AToggleMidMatchHidesTheOverlayWhileCountingGoesOn) {
  const Played played = play(
      kMatch +
      "touch me\nhit\nframe\nexpect drawn \"Rafta hits | match: 1 | session 1 | total: 8\"\n"
      "command rafta_toggle_overlay\nexpect log \"Overlay Rafta masqué\"\n"
      "frame\nexpect nothing-drawn\n"
      "clock 25\ntouch me\nhit\nexpect log \"Incrémentation compteur barre/poteau ! Total = 9\"\n"
      "frame\nexpect nothing-drawn\n"
      "command rafta_toggle_overlay\nexpect log \"Overlay Rafta affiché\"\n"
      "frame\nexpect drawn \"Rafta hits | match: 2 | session 2 | total: 9\"\n"
      "command rafta_toggle_overlay\nunload\nexpect stored rafta_overlay_enabled 0\n"
      "restart\nframe\nexpect nothing-drawn\n");
  EXPECT_EQ(played.run.status, 0) << played.run.err;
}

TEST(KeyBinds, NextCyclesThroughTheFiveStylesAndBackStoringEach) {
  std::string script = "load\nwait 1\n";
  const std::string line = "Rafta hits | match: 0 | session 0 | total: 7";
  const std::vector<std::string> drawn = {"Rafta hits: 0", line, line, "Total: 7", line};
  for (int step = 1; step <= 5; ++step) {
    const std::string style = std::to_string(step % 5);
    script += "command rafta_style next\nexpect log \"Style d'overlay Rafta : ";
    script += style;
    script += "\"\nexpect cvar rafta_overlay_style ";
    script += style;
    script += "\nexpect stored rafta_overlay_style ";
    script += style;
    script += "\nframe\nexpect drawn \"";
    script += drawn.at(static_cast<std::size_t>(step - 1));
    script += "\"\n";
  }
  const Played played = play(script);
  EXPECT_EQ(played.run.status, 0) << played.run.err;
}

TEST(KeyBinds, AStyleByNumberOrAnythingElse) {
  const std::string unchanged =
      "expect log \"rafta_style : style inchangé, tapez rafta_style suivi de 0 à 4 ou de next\"\n"
      "expect cvar rafta_overlay_style 3\n";
  const Played played = play(
      "load\ncommand rafta_style 3\nexpect stored rafta_overlay_style 3\n"
      "command rafta_style 5\n" +
      unchanged + "command rafta_style -1\n" + unchanged + "command rafta_style\n" + unchanged +
      "command rafta_style Sobre\n" + unchanged + "command rafta_style 4 next\n" + unchanged +
      "command rafta_style 03\n" + unchanged +
      // An out-of-range style is drawn as the first: the next one is the second.
      "console rafta_overlay_style 9\ncommand rafta_style next\n"
      "expect cvar rafta_overlay_style 1\n");
  EXPECT_EQ(played.run.status, 0) << played.run.err;
}

TEST(KeyBinds, TheSessionResetThenTheTotalResetOnlyWithConfirm) {
  const std::string notConfirmed =
      "expect log \"Compteur total Rafta inchangé : tapez rafta_reset_total confirm pour le "
      "remettre à zéro\"\nexpect cvar rafta_total_hit_count 8\n"
      "expect stored rafta_total_hit_count 8\n";
  const Played played =
      play(kMatch +
           "touch me\nhit\n"
           "command rafta_reset_session\nexpect log \"Compteur de session Rafta remis à zéro\"\n"
           "frame\nexpect drawn \"Rafta hits | match: 1 | session 0 | total: 8\"\n"
           "expect stored rafta_total_hit_count 8\n"
           "command rafta_reset_total\n" +
           notConfirmed + "command rafta_reset_total yes\n" + notConfirmed +
           "command rafta_reset_total CONFIRM\n" + notConfirmed +
           "command rafta_reset_total confirm\nexpect log \"Compteur total Rafta remis à zéro\"\n"
           "expect stored rafta_total_hit_count 0\n"
           "frame\nexpect drawn \"Rafta hits | match: 1 | session 0 | total: 0\"\n");
  EXPECT_EQ(played.run.status, 0) << played.run.err;
}

TEST(KeyBinds, AfterUnloadNoCommandIsLeftAndARestartBringsThemBack) {
  const Played played = play(
      "load\nexpect command rafta_toggle_overlay\nexpect command rafta_reset_total\n"
      "unload\nexpect no-command rafta_toggle_overlay\nexpect no-command rafta_style\n"
      "expect no-command rafta_reset_session\nexpect no-command rafta_reset_total\n"
      "command rafta_reset_total confirm\nexpect stored rafta_total_hit_count 7\n"
      "expect log \"Plugin Rafta déchargé.\"\n"
      "restart\nwait 1\nexpect command rafta_reset_total\n"
      "command rafta_reset_total confirm\nexpect stored rafta_total_hit_count 0\n");
  ASSERT_EQ(played.run.status, 0) << played.run.err;
  EXPECT_NE(played.run.err.find("command: no console command rafta_reset_total is registered"),
            std::string::npos)
      << played.run.err;
}

TEST(KeyBinds, AnUnknownCommandIsTheConsolesAnswerNotThePlugins) {
  const Played played = play(
      "load\ncommand rafta_nothing 1 2\nexpect log \"Sauvegarde overlayX: "
      "100.000000 overlayY: 100.000000\"\n");
  EXPECT_EQ(played.run.status, 0) << played.run.err;
  EXPECT_NE(played.run.err.find("no console command rafta_nothing is registered"),
            std::string::npos);
}

}  // namespace
}  // namespace rafta::testing
