// From a goal-frame hit to a counted one: who shot, when, how fast, after a goal, and where.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "PluginHost.h"

namespace rafta::testing {
namespace {

const std::string kCounted1 = "Incrémentation compteur barre/poteau ! Total = 1";
const std::string kTooRecent = "onRaftaHitDelayed : Hit trop récent, ignoré";

TEST(CountedHit, WithDebugOffWritesOneLineStoresTheTotalAndCommits) {
  PluginHost s;
  s.run(kReadyToCount);
  const long commitsBefore = s.commits();
  EXPECT_EQ(s.queriesOf("hit"),
            (Strings{"IsInReplay", "GetLocalCar", "IsInReplay", "GetCurrentGameState",
                     "GetLocalCar", "GetCurrentGameState"}));
  EXPECT_EQ(s.log().back(), kCounted1);
  EXPECT_EQ(s.cvar(names::kTotalVariable), "1");
  EXPECT_EQ(s.commits(), commitsBefore + 1);
}

TEST(CountedHit, WithDebugOnTracesEveryStepInOrder) {
  PluginHost s;
  s.run(kReadyToCount);
  EXPECT_EQ(
      s.linesOf(typed(names::kDebugVariable, "1") + "hit"),
      (Strings{
          ">>> onRaftaHit déclenché", "État du jeu : replay=0, freeplay=0, training=0, inGame=1",
          "onRaftaHit : Dernier touché=me-id, Local UID=me-id", ">>> onRaftaHitDelayed déclenché",
          "État du jeu : inGame=1, serverValid=1, ballValid=1",
          "onRaftaHitDelayed : Dernier touché=me-id, Local UID=me-id", kCounted1}));
}

TEST(CountedHit, ThreeHitsRaiseEveryCounterByThreeWithThreeWritesAndCommits) {
  PluginHost s;
  s.run(kReadyToCount);
  const long commitsBefore = s.commits();
  EXPECT_EQ(s.linesOf("hit\nclock 21\nhit\nclock 22\nhit"),
            (Strings{kCounted1, "Incrémentation compteur barre/poteau ! Total = 2",
                     "Incrémentation compteur barre/poteau ! Total = 3"}));
  EXPECT_EQ(s.commits(), commitsBefore + 3);
  EXPECT_EQ(s.stored(names::kTotalVariable), "3");
  EXPECT_EQ(s.countersShown(), "Rafta hits | match: 3 | session 3 | total: 3");
}

TEST(CountedHit, CountersStopAtTheLargestValue) {
  PluginHost s;
  s.run("car me id me-id\nlocal me\nball pos 0 4000 100 vel 1000 0 0\nload\nwait 0.5\n" +
        typed(names::kTotalVariable, "2147483647") + "wait 0.5\nclock 20\ntouch me\nhit");
  EXPECT_EQ(s.log().back(), "Incrémentation compteur barre/poteau ! Total = 2147483647");
  EXPECT_EQ(s.countersShown(), "Rafta hits | match: 1 | session 1 | total: 2147483647");
}

TEST(Shooter, AHitAfterSomebodyElsesTouchIsRefusedInTheFirstHandler) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run("touch rival\n" + typed(names::kDebugVariable, "0"));
  EXPECT_EQ(s.linesOf("hit"), Strings{"onRaftaHit : Dernier touché (rival-id) ? toi (me-id)"});
}

TEST(Shooter, BeforeAnyTouchTheLastToucherIsEmpty) {
  PluginHost s;
  s.run("car me id me-id\nlocal me\nload");
  EXPECT_EQ(s.linesOf("hit"), Strings{"onRaftaHit : Dernier touché () ? toi (me-id)"});
}

TEST(Shooter, EachMissingPieceOfTheLocalPlayerHasItsLine) {
  PluginHost s;
  s.run(kReadyToCount);
  EXPECT_EQ(s.linesOf("local none\nhit rival"), Strings{"onRaftaHit : LocalCar est null"});
  EXPECT_EQ(s.linesOf("local me\ncar me pri 0\nhit rival"),
            Strings{"onRaftaHit : LocalPlayer est null"});
  EXPECT_EQ(s.linesOf("car me pri 1 id \"\"\nhit rival"), Strings{"onRaftaHit : UID local vide"});
  EXPECT_EQ(s.linesOf("hit null"), Strings{"TriggerHit : Caller est nul"});
}

TEST(Interval, IsMeasuredFromTheLastCountedHit) {
  PluginHost s;
  s.run(kReadyToCount);
  EXPECT_EQ(s.linesOf("hit\nclock 20.5\nhit\nclock 21\nhit"),
            (Strings{kCounted1, kTooRecent, "Incrémentation compteur barre/poteau ! Total = 2"}));
}

TEST(Interval, AfterAMatchResetTheSinglePrecisionBoundaryPasses) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run("event BeginRound\nclock 0.8999999");
  EXPECT_EQ(s.linesOf("hit"), Strings{kTooRecent});
  s.run("clock 0.9");
  EXPECT_EQ(s.linesOf("hit"), Strings{kCounted1});
}

// A game whose start never reached the plugin: its clock is a new game's, measured from 0 as
// after a match reset, not a hit too soon after one of the game before.
TEST(Interval, AClockBelowTheLastHitIsANewGame) {
  PluginHost s;
  s.run(kReadyToCount);
  EXPECT_EQ(s.linesOf("hit\nclock 0.5\nhit\nclock 5\nhit\nclock 5.5\nhit\nclock 6\nhit"),
            (Strings{kCounted1, kTooRecent, "Incrémentation compteur barre/poteau ! Total = 2",
                     kTooRecent, "Incrémentation compteur barre/poteau ! Total = 3"}));
}

TEST(Speed, ExactlyThreeHundredPassesAndJustBelowIsRefusedWithTheSpeed) {
  PluginHost s;
  s.run(kReadyToCount);
  EXPECT_EQ(s.linesOf("ball vel 299.5 0 0\nhit"),
            Strings{"onRaftaHitDelayed : Vitesse balle (299.500000) < 300, ignoré"});
  EXPECT_EQ(s.linesOf("ball vel 180 240 0\nhit"), Strings{kCounted1});
}

TEST(GoalWindow, RefusesAHitThatPassesEveryOtherTest) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run("event OnGoalScored");
  EXPECT_EQ(s.linesOf("hit"), Strings{"onRaftaHitDelayed : But marqué récemment, ignoré"});
  EXPECT_EQ(s.linesOf("wait 1\nhit"), (Strings{"goalScoredRecently réinitialisé", kCounted1}));
}

TEST(Side, OnlyTheHalfTheLocalTeamAttacksCounts) {
  PluginHost s;
  s.run(kReadyToCount);
  EXPECT_EQ(s.linesOf("ball pos 0 0 100\nhit"),
            Strings{"onRaftaHitDelayed : Pas le but adverse (Y=0.000000, Team=0)"});
  EXPECT_EQ(s.linesOf("car me team 1\nhit"),
            Strings{"onRaftaHitDelayed : Pas le but adverse (Y=0.000000, Team=1)"});
  EXPECT_EQ(s.linesOf("ball pos 0 100 100\nhit"),
            Strings{"onRaftaHitDelayed : Pas le but adverse (Y=100.000000, Team=1)"});
  EXPECT_EQ(s.linesOf("car me team 2\nhit\nball pos 0 -100 100\nhit"),
            (Strings{"onRaftaHitDelayed : Pas le but adverse (Y=100.000000, Team=2)",
                     "onRaftaHitDelayed : Pas le but adverse (Y=-100.000000, Team=2)"}));
  EXPECT_EQ(s.linesOf("car me team 1\nhit"), Strings{kCounted1});
  EXPECT_EQ(s.cvar(names::kTotalVariable), "1");
}

TEST(RefusedHit, LeavesTheCountersAndTheLastHitsTimeAsTheyWere) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run("hit\nclock 20.5\nhit");
  EXPECT_EQ(s.countersShown(), "Rafta hits | match: 1 | session 1 | total: 1");
  EXPECT_EQ(s.linesOf("clock 20.95\nhit"),
            Strings{"Incrémentation compteur barre/poteau ! Total = 2"})
      << "0.9 s after the counted hit, not after the refused one";
}

}  // namespace
}  // namespace rafta::testing
