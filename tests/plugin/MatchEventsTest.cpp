// Matches, rounds, goals and replays: the hooks follow them and the match state is reset.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PluginHost.h"

namespace rafta::testing {
namespace {

const std::string kRemoved = "Hooks TriggerHit et OnHitBall désenregistrés";
const std::string kInstalled = "Hooks enregistrés avec succès";
const std::string kWindowClosed = "goalScoredRecently réinitialisé";
const std::string kWindowOpen = "onRaftaHitDelayed : But marqué récemment, ignoré";
const std::string kCounted1 = "Incrémentation compteur barre/poteau ! Total = 1";
const std::string kCounted2 = "Incrémentation compteur barre/poteau ! Total = 2";

TEST(MatchReset, ReinstallsInstalledHooksAndInstallsMissingOnes) {
  PluginHost s;
  s.run(kReadyToCount);
  EXPECT_EQ(s.linesOf("event PostBeginPlay"),
            (Strings{"PostBeginPlay: Réinitialisation des hooks et variables Rafta", kRemoved,
                     kInstalled}));
  s.run("event EndGame");
  EXPECT_EQ(s.linesOf("event PostBeginPlay"),
            (Strings{"PostBeginPlay: Réinitialisation des hooks et variables Rafta", kInstalled}));
  s.run("expect hooked TriggerHit\nexpect hooked OnHitBall");
}

TEST(MatchReset, ClearsTheMatchOnlyAndKeepsTheLastToucher) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run("hit\nevent OnGoalScored");
  EXPECT_EQ(
      s.linesOf("event BeginRound"),
      (Strings{"BeginRound: Réinitialisation des hooks et variables Rafta", kRemoved, kInstalled}));
  EXPECT_EQ(s.countersShown(), "Rafta hits | match: 0 | session 1 | total: 1");
  // At the game time of the last counted hit, with the goal window armed: it counts only if both
  // were cleared, and only if our touch is still on record.
  EXPECT_EQ(s.linesOf("hit"), Strings{kCounted2});
}

TEST(MatchEnd, RemovesTheHooksAndKeepsEveryCounter) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run("hit\nevent EndGame\nexpect not-hooked TriggerHit\nexpect not-hooked OnHitBall");
  EXPECT_EQ(s.countersShown(), "Rafta hits | match: 1 | session 1 | total: 1");
}

TEST(Replay, ASecondStartWritesOnlyItsLineAndAStopAfterTheEndReinstalls) {
  PluginHost s;
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
  PluginHost s;
  s.run(kReadyToCount);
  EXPECT_EQ(s.linesOf("event OnGoalScored"),
            (Strings{"Événement OnGoalScored détecté", "But marqué détecté !"}));
  s.run("expect timers 1");
  EXPECT_EQ(s.linesOf("wait 0.99\nhit"), Strings{kWindowOpen});
  EXPECT_EQ(s.linesOf("wait 0.01\nhit"), (Strings{kWindowClosed, kCounted1}));
}

TEST(Goal, InFreeplayOrTrainingNeverOpensTheWindowWhateverTheSwitches) {
  PluginHost s;
  s.run(kReadyToCount);
  const Strings ignored = {"Événement OnGoalScored détecté",
                           "But marqué ignoré : mode Freeplay ou Entraînement"};
  s.run("state freeplay=1");
  EXPECT_EQ(s.queriesOf("event OnGoalScored"), Strings{"IsInFreeplay"});
  s.run("state freeplay=0 training=1");
  EXPECT_EQ(s.linesOf("event OnGoalScored"), ignored);
  s.run("expect timers 0");
  EXPECT_EQ(s.linesOf("hit"), Strings{kCounted1});
}

TEST(Goal, ARoundThatBeginsInsideTheWindowClosesItAndTheTimerStillSpeaksLater) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run("event OnGoalScored\nwait 0.5\nevent BeginRound");
  EXPECT_EQ(s.linesOf("hit"), Strings{kCounted1});
  EXPECT_EQ(s.linesOf("wait 0.5"), Strings{kWindowClosed});
}

TEST(Goal, EachGoalArmsItsOwnTimerAndTheFirstClosesTheWindow) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run("event OnGoalScored\nwait 0.6\nevent OnGoalScored\nexpect timers 2");
  EXPECT_EQ(s.linesOf("wait 0.4"), Strings{kWindowClosed});
  EXPECT_EQ(s.linesOf("hit"), Strings{kCounted1}) << "the second goal's window is closed too";
  EXPECT_EQ(s.linesOf("wait 0.6"), Strings{kWindowClosed});
}

TEST(Goal, ATimerThatFiresAfterUnloadDoesNothing) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run("event OnGoalScored\nunload");
  EXPECT_TRUE(s.linesOf("wait 2\nexpect timers 0").empty());
}

}  // namespace
}  // namespace rafta::testing
