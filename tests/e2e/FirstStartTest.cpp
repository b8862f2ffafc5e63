// Whole sessions through rafta-sim and the real module: what a player's console would show.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PluginNames.h"
#include "SimRunner.h"

namespace rafta::testing {
namespace {

using Lines = std::vector<std::string>;

const Lines kLoadLines = {
    "onLoad: RegisterHitHook...",
    "Hooks enregistrés avec succès",
    "Sauvegarde overlayX: 100.000000 overlayY: 100.000000",
};

const std::string kPictureInAppData = names::kGoalPictureInAppData;

Lines concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

Lines unloadLines(const std::string& x = "100.000000", const std::string& y = "100.000000") {
  return {"Hooks TriggerHit et OnHitBall désenregistrés",
          "Sauvegarde overlayX: " + x + " overlayY: " + y, "Commande writeconfig exécutée",
          "Plugin Rafta déchargé."};
}

TEST(FirstStart, LoadWaitUnloadPrintsEveryLineInOrderAndStoresAllNineVariables) {
  const SimWorkspace workspace;
  const ProgramRun run = workspace.play("load\nwait 1.5\nunload\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.outLines(), concat({kLoadLines,
                                    {"rafta_total_hit_count chargé avec valeur différée : 0"},
                                    unloadLines()}));
  const std::string config = workspace.readConfig();
  for (const char* name :
       {names::kDebugVariable, names::kOverlayEnabledVariable, names::kOverlayXVariable,
        names::kOverlayYVariable, names::kOverlayStyleVariable, names::kCountInFreeplayVariable,
        names::kCountInTrainingVariable, names::kCountInMatchVariable, names::kTotalVariable}) {
    EXPECT_NE(config.find(std::string(name) + " \""), std::string::npos) << name << "\n" << config;
  }
}

TEST(FirstStart, RawOutputKeepsTheWindows1252Bytes) {
  const SimWorkspace workspace;
  const ProgramRun run = workspace.play("load\nunload\n", {"--raw"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Plugin Rafta d\xE9"
                         "charg\xE9."),
            std::string::npos);
  EXPECT_EQ(run.out.find("\xC3\xA9"), std::string::npos) << "no UTF-8 in raw output";
}

TEST(StoredTotal, ComesBackOneSecondAfterLoadEvenWhenTheHostAppliesItLate) {
  for (const std::string delay : {"0", "0.5"}) {
    const SimWorkspace workspace;
    workspace.writeConfig("rafta_total_hit_count \"57\"\n");
    const ProgramRun run = workspace.play("config-delay " + delay +
                                          "\nload\nwait 0.99\nexpect timers 1\nwait 0.01\n"
                                          "expect log \"rafta_total_hit_count chargé avec valeur "
                                          "différée : 57\"\nexpect timers 0\n");
    EXPECT_EQ(run.status, 0) << "config-delay " << delay << "\n" << run.err;
  }
}

TEST(StoredTotal, UnloadBeforeTheDelayedReadKeepsTheStoredTotal) {
  const SimWorkspace workspace;
  workspace.writeConfig("rafta_total_hit_count \"57\"\n");
  const ProgramRun run = workspace.play(
      "config-delay 0.5\nload\nwait 0.7\nunload\nexpect stored rafta_total_hit_count 57\n"
      "wait 1\nexpect stored rafta_total_hit_count 57\n");
  ASSERT_EQ(run.status, 0) << run.err;
  // The pending read completes first; the timer that fires later finds no object and stays quiet.
  EXPECT_EQ(run.outLines(), concat({kLoadLines,
                                    {"rafta_total_hit_count chargé avec valeur différée : 57"},
                                    unloadLines()}));
}

// The host applies stored values 0.9 s after registration and the plugin is unloaded before:
// nothing it would save differs from a default, so it saves nothing and the next load finds all.
TEST(StoredTotal, AnUnloadBeforeTheHostAppliedTheStoredValuesLeavesThemStored) {
  const SimWorkspace workspace;
  const std::string stored =
      "rafta_overlay_style \"4\"\nrafta_overlay_x \"300\"\nrafta_total_hit_count \"57\"\n";
  workspace.writeConfig(stored);
  const ProgramRun run = workspace.play(
      "config-delay 0.9\nload\nwait 0.5\nunload\nexpect stored rafta_total_hit_count 57\n"
      "expect stored rafta_overlay_x 300\nexpect stored rafta_overlay_style 4\n"
      "restart\nwait 1\nexpect log \"rafta_total_hit_count chargé avec valeur différée : 57\"\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const Lines lines = run.outLines();
  ASSERT_GE(lines.size(), 8U);
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 8),
            concat({{kLoadLines[0], kLoadLines[1],
                     "Sauvegarde overlayX: 300.000000 overlayY: 100.000000"},
                    {"rafta_total_hit_count chargé avec valeur différée : 57",
                     "Hooks TriggerHit et OnHitBall désenregistrés",
                     "Sauvegarde overlayX: 300.000000 overlayY: 100.000000",
                     "Commande writeconfig exécutée", "Plugin Rafta déchargé."}}));
}

TEST(StoredTotal, AnEarlyUnloadAfterAChangeOnThePageStillSaves) {
  const SimWorkspace workspace;
  workspace.writeConfig("rafta_overlay_x \"300\"\n");
  const ProgramRun run = workspace.play(
      "config-delay 0.9\nload\ntoggle \"Afficher overlay\"\ntoggle \"Afficher overlay\"\n"
      "unload\nexpect log \"Plugin Rafta déchargé.\"\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const Lines lines = run.outLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Commande writeconfig exécutée"), lines.end());
}

TEST(StoredTotal, ARestartBringsTheTotalBack) {
  const SimWorkspace workspace;
  workspace.writeConfig("rafta_total_hit_count \"12\"\n");
  const ProgramRun run = workspace.play(
      "load\nwait 1\nconsole rafta_total_hit_count 40\nrestart\nwait 1\n"
      "expect log \"rafta_total_hit_count chargé avec valeur différée : 12\"\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST(StoredTotal, UnloadStoresThePositionAndStyleTheObjectHolds) {
  const SimWorkspace workspace;
  workspace.writeConfig(
      "rafta_overlay_x \"250.5\"\nrafta_overlay_y \"80\"\nrafta_overlay_style \"3\"\n"
      "rafta_overlay_enabled \"0\"\n");
  const ProgramRun run = workspace.play(
      "load\nwait 1\nunload\nexpect stored rafta_overlay_x 250.5\n"
      "expect stored rafta_overlay_style 3\nexpect stored rafta_overlay_enabled 0\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const Lines lines = run.outLines();
  ASSERT_GE(lines.size(), 3U);
  EXPECT_EQ(lines[2], "Sauvegarde overlayX: 250.500000 overlayY: 80.000000");
  EXPECT_EQ(lines[lines.size() - 3], "Sauvegarde overlayX: 250.500000 overlayY: 80.000000");
}

TEST(GoalPicture, DebugShowsThePathWithOneBackslashAfterTheFolder) {
  const SimWorkspace workspace;
  workspace.writeConfig("rafta_debug \"1\"\n");
  const ProgramRun run = workspace.play("load\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string path = workspace.appdata().string() + kPictureInAppData;
  EXPECT_EQ(run.outLines(), concat({kLoadLines, {"Chemin de l'image : " + path}}));
}

TEST(GoalPicture, MissingOrUnusablePictureIsReportedAndLoadGoesOn) {
  const std::string installed =
      "expect hooked PostBeginPlay\nexpect hooked StopReplay\n"
      "expect hooked OnHitBall\nexpect hooked TriggerHit\n";
  {
    const SimWorkspace workspace;
    const ProgramRun run = workspace.play("picture absent\nload\n" + installed);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string path = workspace.appdata().string() + kPictureInAppData;
    EXPECT_EQ(run.outLines(),
              concat({kLoadLines, {"Erreur : Image goal.png non trouvée à " + path}}));
  }
  {
    const SimWorkspace workspace;
    const ProgramRun run = workspace.play("picture unloadable\nload\n" + installed);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.outLines(), concat({kLoadLines, {"Erreur : Échec du chargement de goal.png"}}));
  }
}

TEST(Unload, RemovesEveryHookAndTheTimersStandDown) {
  const SimWorkspace workspace;
  std::string script = "load\nunload\n";
  for (const char* name : {"PostBeginPlay", "EndGame", "BeginRound", "OnGoalScored", "StartReplay",
                           "StopReplay", "OnHitBall", "TriggerHit"}) {
    script += std::string("expect not-hooked ") + name + "\n";
  }
  script += "expect timers 1\nwait 2\nexpect timers 0\nexpect log \"Plugin Rafta déchargé.\"\n";
  const ProgramRun run = workspace.play(script);
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST(ConfigurationFile, BadLinesAreWarnedAndTheRestIsUsed) {
  const SimWorkspace workspace;
  workspace.writeConfig("garbage without quotes\nrafta_total_hit_count \"9\"\n\"\n");
  const ProgramRun run = workspace.play(
      "load\nwait 1\nexpect log \"rafta_total_hit_count chargé avec valeur différée : 9\"\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("config.cfg"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace rafta::testing
