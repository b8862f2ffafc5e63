// The counting gate: which game modes refuse, which host questions are asked, in which order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PluginHost.h"

namespace rafta::testing {
namespace {

TEST(ModeTest, AReplayRefusesWhateverTheSwitchesSayAndAsksNothingElse) {
  PluginHost s;
  s.run(kReadyToCount);
  // The page's switches: what a player turns off.
  s.run("toggle \" Freeplay / Entrainement\"");
  s.run("toggle \"All Match\"");
  s.run("state replay=1 freeplay=1");
  EXPECT_EQ(s.queriesOf("touch me"), Strings{"IsInReplay"});
  EXPECT_EQ(s.log().back(), "Replay détecté, comptage ignoré");
  EXPECT_EQ(s.queriesOf("hit"), Strings{"IsInReplay"}) << "the hit stops in onRaftaHit";
  EXPECT_EQ(s.log().back(), "Replay détecté, comptage ignoré");
}

TEST(ModeTest, FreeplayWithItsSwitchOffRefusesWithoutAskingAboutTraining) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run("toggle \" Freeplay / Entrainement\"");
  s.run("state freeplay=1");
  EXPECT_EQ(s.queriesOf("hit"), (Strings{"IsInReplay", "IsInFreeplay"}));
  EXPECT_EQ(s.log().back(), "Freeplay ou training détecté, comptage ignoré car désactivé");
  s.run("state freeplay=0 training=1");
  EXPECT_EQ(s.queriesOf("hit"), (Strings{"IsInReplay", "IsInFreeplay", "IsInCustomTraining"}));
  EXPECT_EQ(s.log().back(), "Freeplay ou training détecté, comptage ignoré car désactivé");
}

TEST(ModeTest, WithBothSwitchesOnOnlyTheReplayIsAsked) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run("state freeplay=1 training=1");
  EXPECT_EQ(s.queriesOf("touch me"), Strings{"IsInReplay"});
  EXPECT_EQ(s.log().back(), "OnHitBall : lastBallTouchID mis à jour à me-id");
}

TEST(ModeTest, FreeplayAndAGameAtOnceNeedBothSwitches) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run("toggle \"All Match\"");
  s.run("state freeplay=1 ingame=1");
  EXPECT_EQ(s.queriesOf("hit"), (Strings{"IsInReplay", "IsInGame"}));
  EXPECT_EQ(s.log().back(), "Match détecté, comptage ignoré car désactivé");
  EXPECT_EQ(s.cvar(names::kTotalVariable), "0");
}

// Which games the host's IsInGame covers is not documented: an online match is asked about too.
TEST(ModeTest, AnOnlineMatchIsAMatchForItsSwitch) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run("toggle \"All Match\"\nstate ingame=0 online=1");
  EXPECT_EQ(s.queriesOf("hit"), (Strings{"IsInReplay", "IsInGame", "IsInOnlineGame"}));
  EXPECT_EQ(s.log().back(), "Match détecté, comptage ignoré car désactivé");
  s.run("state online=0");
  EXPECT_EQ(s.linesOf("hit"), Strings{"Incrémentation compteur barre/poteau ! Total = 1"});
}

TEST(ModeTest, TheCountingVariablesAtTheConsoleChangeNothing) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run(typed(names::kCountInMatchVariable, "0") + typed(names::kCountInFreeplayVariable, "0") +
        "state freeplay=1");
  s.run("hit");
  EXPECT_EQ(s.log().back(), "Incrémentation compteur barre/poteau ! Total = 1");
}

TEST(FullGate, AMissingGameStateOrBallRefusesInTheDelayedHandlerWithTwoLines) {
  PluginHost s;
  s.run(kReadyToCount);
  EXPECT_EQ(s.linesOf("state server=0\nhit"),
            (Strings{"État du jeu invalide : Server est null",
                     "onRaftaHitDelayed : État du jeu invalide"}));
  EXPECT_EQ(s.linesOf("state server=1 ball=0\nhit"),
            (Strings{"État du jeu invalide : Ball est null",
                     "onRaftaHitDelayed : État du jeu invalide"}));
  EXPECT_EQ(s.cvar(names::kTotalVariable), "0");
}

TEST(FullGate, ItsDebugLineReportsTheGameAsOneOrZero) {
  PluginHost s;
  s.run(kReadyToCount);
  s.run(typed(names::kDebugVariable, "1") + "hit");
  EXPECT_NE(std::find(s.log().begin(), s.log().end(),
                      "État du jeu : inGame=1, serverValid=1, ballValid=1"),
            s.log().end());
  s.run("state ingame=0\nclock 30\nhit");
  EXPECT_NE(std::find(s.log().begin(), s.log().end(),
                      "État du jeu : inGame=0, serverValid=1, ballValid=1"),
            s.log().end());
}

}  // namespace
}  // namespace rafta::testing
