// The two hit hooks: installed and removed as a pair, and the record of the last toucher.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PluginHost.h"

namespace rafta::testing {
namespace {

const Strings kTouchEntry = {">>> Hook OnHitBall déclenché", "OnHitBall appelé"};

Strings touchLines(const std::string& last) {
  Strings lines = kTouchEntry;
  lines.push_back(last);
  return lines;
}

TEST(OnHitBall, RecordsAnyCarsPlayerAndSaysSo) {
  PluginHost s;
  s.run(kReadyToCount);
  EXPECT_EQ(s.linesOf("touch rival"),
            touchLines("OnHitBall : lastBallTouchID mis à jour à rival-id"));
  EXPECT_EQ(s.linesOf("hit"), Strings{"onRaftaHit : Dernier touché (rival-id) ? toi (me-id)"});
}

TEST(OnHitBall, ATouchThatCannotBeRecordedKeepsThePreviousToucher) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run("car ghost id \"\"\ncar bot pri 0");
  EXPECT_EQ(s.linesOf("touch ghost"), touchLines("OnHitBall : UID vide"));
  EXPECT_EQ(s.linesOf("touch bot"), touchLines("OnHitBall : PRI est nul"));
  EXPECT_EQ(s.linesOf("touch null"), touchLines("OnHitBall : Car est nul"));
  EXPECT_EQ(s.linesOf("state replay=1\ntouch rival"),
            touchLines("Replay détecté, comptage ignoré"));
  EXPECT_EQ(s.linesOf("state replay=0\nhit"),
            Strings{"Incrémentation compteur barre/poteau ! Total = 1"})
      << "the shooter is still on record";
}

TEST(OnHitBall, InFreeplayWithCountingOffAnOlderToucherStaysOnRecord) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run("toggle \" Freeplay / Entrainement\"");
  EXPECT_EQ(s.linesOf("state freeplay=1\ntouch rival"),
            touchLines("Freeplay ou training détecté, comptage ignoré car désactivé"));
  s.run("toggle \" Freeplay / Entrainement\"");
  EXPECT_EQ(s.linesOf("hit"), Strings{"Incrémentation compteur barre/poteau ! Total = 1"})
      << "the rival's touch was never recorded";
}

TEST(TriggerHit, ANullCallerWritesOneLineAndNothingElse) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run(typed(names::kDebugVariable, "1"));
  EXPECT_EQ(s.linesOf("hit null"), Strings{"TriggerHit : Caller est nul"});
}

TEST(HitHooks, RegisteringOrRemovingTwiceDoesNothingTheSecondTime) {
  PluginHost s;
  s.run(kReadyToCount);
  EXPECT_EQ(s.linesOf("event StopReplay"),
            Strings{"Fin du replay : réenregistrement du hook TriggerHit"});
  EXPECT_EQ(s.linesOf("event EndGame"), (Strings{"EndGame: Désenregistrement des hooks Rafta",
                                                 "Hooks TriggerHit et OnHitBall désenregistrés"}));
  EXPECT_EQ(s.linesOf("event EndGame"), Strings{"EndGame: Désenregistrement des hooks Rafta"});
  s.run("expect not-hooked TriggerHit\nexpect not-hooked OnHitBall");
}

TEST(HitHooks, WhileRemovedNoTouchOrHitReachesThePlugin) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run("event StartReplay");
  EXPECT_TRUE(s.linesOf("touch rival\nhit\nhit null").empty());
  EXPECT_EQ(s.linesOf("event StopReplay\nhit").back(),
            "Incrémentation compteur barre/poteau ! Total = 1")
      << "the rival's touch was never recorded";
}

}  // namespace
}  // namespace rafta::testing
