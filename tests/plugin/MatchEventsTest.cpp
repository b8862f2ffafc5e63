// Matches, rounds, goals and replays: the hooks follow them and the match state is reset.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PluginScript.h"

namespace rafta::testing {
namespace {

using Strings = std::vector<std::string>;

const std::string kRemoved = "Hooks TriggerHit et OnHitBall désenregistrés";
const std::string kInstalled = "Hooks enregistrés avec succès";
const std::string kWindowClosed = "goalScoredRecently réinitialisé";

TEST(MatchReset, ReinstallsInstalledHooksAndInstallsMissingOnes) {
  PluginScript s;
  s.run(kReadyToCount);
  EXPECT_EQ(s.linesOf("event PostBeginPlay"),
            (Strings{"PostBeginPlay: Réinitialisation des hooks et variables Rafta", kRemoved,
                     kInstalled}));
  s.run("event EndGame");
  EXPECT_EQ(s.linesOf("event PostBeginPlay"),
            (Strings{"PostBeginPlay: Réinitialisation des hooks et variables Rafta", kInstalled}));
  EXPECT_TRUE(s.plugin().hitHooksRegistered);
}

TEST(MatchReset, ClearsTheMatchOnlyAndKeepsTheLastToucher) {
  PluginScript s;
  s.run(kReadyToCount);
  s.run("hit\nevent OnGoalScored");
  ASSERT_TRUE(s.plugin().goalScoredRecently);
  EXPECT_EQ(
      s.linesOf("event BeginRound"),
      (Strings{"BeginRound: Réinitialisation des hooks et variables Rafta", kRemoved, kInstalled}));
  EXPECT_EQ(s.plugin().matchHitCount, 0);
  EXPECT_EQ(s.plugin().lastHitTime, 0.0);
  EXPECT_FALSE(s.plugin().goalScoredRecently);
  EXPECT_EQ(s.plugin().sessionHitCount, 1);
  EXPECT_EQ(s.plugin().totalHitCount, 1);
  EXPECT_EQ(s.plugin().lastBallTouchID, "me-id");
}

TEST(MatchEnd, RemovesTheHooksAndKeepsEveryCounter) {
  PluginScript s;
  s.run(kReadyToCount);
  s.run("hit\nevent EndGame\nexpect not-hooked TriggerHit\nexpect not-hooked OnHitBall");
  EXPECT_EQ(s.plugin().matchHitCount, 1);
  EXPECT_EQ(s.plugin().sessionHitCount, 1);
  EXPECT_EQ(s.plugin().totalHitCount, 1);
}

TEST(Replay, ASecondStartWritesOnlyItsLineAndAStopAfterTheEndReinstalls) {
  PluginScript s;
  s.run(kReadyToCount);
  EXPECT_EQ(s.linesOf("event StartReplay"),
            (Strings{"Début du replay : désenregistrement du hook TriggerHit", kRemoved}));
  EXPECT_EQ(s.linesOf("event StartReplay"),
            Strings{"Début du replay : désenregistrement du hook TriggerHit"});
  s.run("event EndGame");
  EXPECT_EQ(s.linesOf("event StopReplay"),
            (Strings{"Fin du replay : réenregistrement du hook TriggerHit", kInstalled}));
  s.run("expect hooked TriggerHit");
}

TEST(Goal, InAMatchOpensTheWindowForOneSecond) {
  PluginScript s;
  s.run(kReadyToCount);
  EXPECT_EQ(s.linesOf("event OnGoalScored"),
            (Strings{"Événement OnGoalScored détecté", "But marqué détecté !"}));
  s.run("expect timers 1");
  EXPECT_TRUE(s.linesOf("wait 0.99").empty());
  EXPECT_TRUE(s.plugin().goalScoredRecently);
  EXPECT_EQ(s.linesOf("wait 0.01"), Strings{kWindowClosed});
  EXPECT_FALSE(s.plugin().goalScoredRecently);
}

TEST(Goal, InFreeplayOrTrainingNeverOpensTheWindowWhateverTheSwitches) {
  PluginScript s;
  s.run(kReadyToCount);
  ASSERT_TRUE(s.plugin().countInFreeplayTraining);
  const Strings ignored = {"Événement OnGoalScored détecté",
                           "But marqué ignoré : mode Freeplay ou Entraînement"};
  s.run("state freeplay=1");
  EXPECT_EQ(s.queriesOf("event OnGoalScored"), Strings{"IsInFreeplay"});
  s.run("state freeplay=0 training=1");
  EXPECT_EQ(s.linesOf("event OnGoalScored"), ignored);
  EXPECT_FALSE(s.plugin().goalScoredRecently);
  s.run("expect timers 0");
}

TEST(Goal, ARoundThatBeginsInsideTheWindowClosesItAndTheTimerStillSpeaksLater) {
  PluginScript s;
  s.run(kReadyToCount);
  s.run("event OnGoalScored\nwait 0.5\nevent BeginRound");
  EXPECT_FALSE(s.plugin().goalScoredRecently);
  EXPECT_EQ(s.linesOf("wait 0.5"), Strings{kWindowClosed});
}

TEST(Goal, EachGoalArmsItsOwnTimerAndTheFirstClosesTheWindow) {
  PluginScript s;
  s.run(kReadyToCount);
  s.run("event OnGoalScored\nwait 0.6\nevent OnGoalScored\nexpect timers 2");
  EXPECT_EQ(s.linesOf("wait 0.4"), Strings{kWindowClosed});
  EXPECT_FALSE(s.plugin().goalScoredRecently);
  EXPECT_EQ(s.linesOf("wait 0.6"), Strings{kWindowClosed});
}

TEST(Goal, ATimerThatFiresAfterUnloadDoesNothing) {
  PluginScript s;
  s.run(kReadyToCount);
  s.run("event OnGoalScored\nunload");
  EXPECT_TRUE(s.linesOf("wait 2\nexpect timers 0").empty());
}

}  // namespace
}  // namespace rafta::testing
