// The all-time total: read one second after load, merged with what was counted meanwhile, and
// never lost to an early hit, an early unload or a timer that outlives the object.
#include <gtest/gtest.h>

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "HostedPlugin.h"

namespace rafta::testing {
namespace {

constexpr const char* kStored57 = "rafta_total_hit_count \"57\"\n";

TEST(StoredTotal, IsReadOneSecondAfterLoad) {
  HostedPlugin session(kStored57);
  session.load();
  session.host().clock().wait(0.999);
  EXPECT_EQ(session.plugin().totalHitCount, 0);
  session.host().clock().wait(0.001);
  EXPECT_EQ(session.plugin().totalHitCount, 57);
  EXPECT_EQ(session.lastLog(), "rafta_total_hit_count chargé avec valeur différée : 57");
  EXPECT_EQ(session.commits(), 0) << "nothing was counted, nothing to store";
}

TEST(StoredTotal, AHitBeforeTheReadIsAddedToItNotWrittenOverIt) {
  for (const double configDelay : {0.0, 0.5}) {
    HostedPlugin session(kStored57);
    session.host().console().setConfigDelay(configDelay);
    session.load();
    session.host().clock().wait(0.5);
    session.plugin().CountHit(3.0);
    EXPECT_EQ(session.lastLog(), "Incrémentation compteur barre/poteau ! Total = 1");
    EXPECT_EQ(session.cvar("rafta_total_hit_count"), "57") << "delay " << configDelay;
    EXPECT_EQ(session.commits(), 0);
    session.host().clock().wait(0.5);
    EXPECT_EQ(session.lastLog(), "rafta_total_hit_count chargé avec valeur différée : 58");
    EXPECT_EQ(session.plugin().totalHitCount, 58);
    EXPECT_EQ(session.cvar("rafta_total_hit_count"), "58");
    EXPECT_EQ(session.stored("rafta_total_hit_count"), "58");
    EXPECT_EQ(session.commits(), 1);
    session.plugin().CountHit(5.0);
    EXPECT_EQ(session.stored("rafta_total_hit_count"), "59")
        << "after the read every hit is stored";
    EXPECT_EQ(session.commits(), 2);
  }
}

TEST(StoredTotal, AResetBeforeTheReadLeavesWhatWasCountedAfterIt) {
  HostedPlugin session(kStored57);
  session.load();
  session.host().clock().wait(0.2);
  session.plugin().CountHit(1.0);
  // What the settings page's reset does: the field and the variable to 0, no commit.
  session.plugin().totalHitCount = 0;
  session.plugin().cvarManager->getCvar("rafta_total_hit_count").setValue(0);
  session.plugin().CountHit(2.0);
  session.plugin().CountHit(3.0);
  session.host().clock().wait(1.0);
  EXPECT_EQ(session.plugin().totalHitCount, 2);
  EXPECT_EQ(session.stored("rafta_total_hit_count"), "2");
}

TEST(StoredTotal, TheMergeStopsAtTheLargestCount) {
  HostedPlugin session("rafta_total_hit_count \"2147483647\"\n");
  session.load();
  session.plugin().CountHit(1.0);
  session.host().clock().wait(1.0);
  EXPECT_EQ(session.plugin().totalHitCount, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(session.lastLog(), "rafta_total_hit_count chargé avec valeur différée : 2147483647");
}

TEST(StoredTotal, UnloadBeforeTheReadCompletesItThenSaves) {
  HostedPlugin session(kStored57);
  session.load();
  session.host().clock().wait(0.3);
  session.plugin().CountHit(1.0);
  const std::size_t before = session.log().size();
  session.unload();
  const std::vector<std::string> log = session.log();
  ASSERT_GT(log.size(), before);
  EXPECT_EQ(log[before], "rafta_total_hit_count chargé avec valeur différée : 58");
  EXPECT_EQ(session.stored("rafta_total_hit_count"), "58");
  // The object lives on, but its timer stands down: the read is done and the plugin unloaded.
  session.host().clock().wait(1.0);
  EXPECT_EQ(session.log().size(), log.size());
}

TEST(StoredTotal, AReadThatFindsNoVariableSaysSoAndKeepsTheTotal) {
  HostedPlugin session;
  Rafta& plugin = session.plugin();
  plugin.cvarManager = session.host().cvarManager();
  plugin.totalHitCount = 7;
  plugin.ReadStoredTotal();
  EXPECT_EQ(session.lastLog(), "Erreur : rafta_total_hit_count est toujours nul après délai.");
  EXPECT_EQ(plugin.totalHitCount, 7);
}

TEST(StoredTotal, AMissingVariableIsWaitedForAndNeverWrittenOver) {
  HostedPlugin session(kStored57);
  Rafta& plugin = session.plugin();
  plugin.cvarManager = session.host().cvarManager();
  plugin.gameWrapper = session.host().gameWrapper();
  plugin.ReadStoredTotal();
  EXPECT_EQ(plugin.storedTotal, Rafta::StoredTotal::Missing);
  plugin.CountHit(1.0);
  EXPECT_EQ(session.log(), (std::vector<std::string>{
                               "Erreur : rafta_total_hit_count est toujours nul après délai.",
                               "Erreur : rafta_total_hit_count est toujours nul après délai.",
                               "Incrémentation compteur barre/poteau ! Total = 1"}));
  EXPECT_EQ(session.commits(), 0) << "what the configuration holds is unknown: nothing is written";
  (void)session.host().console().registerCvar("rafta_total_hit_count", "0", {});
  ASSERT_TRUE(session.host().console().runHostCommand({"exec", "config.cfg"}));
  plugin.CountHit(2.0);
  EXPECT_EQ(plugin.storedTotal, Rafta::StoredTotal::Read);
  EXPECT_EQ(session.log().back(), "Incrémentation compteur barre/poteau ! Total = 59");
  EXPECT_EQ(session.stored("rafta_total_hit_count"), "59") << "57 stored, 2 counted";
}

TEST(StoredTotal, ASaveWhileTheTotalIsUnknownStoresEverythingButTheTotal) {
  HostedPlugin session(kStored57);
  session.load();
  session.host().clock().wait(1.0);
  Rafta& plugin = session.plugin();
  plugin.storedTotal = Rafta::StoredTotal::Missing;
  plugin.totalHitCount = 1;
  plugin.overlayX = 250.0F;
  plugin.SaveSettings();
  EXPECT_EQ(session.stored("rafta_total_hit_count"), "57");
  EXPECT_EQ(session.stored("rafta_overlay_x"), "250");
}

TEST(Timers, DoNothingOnceThePluginObjectIsGone) {
  HostedPlugin session(kStored57);
  session.load();
  const std::weak_ptr<const bool> liveness = session.liveness();
  const std::size_t lines = session.log().size();
  session.destroy();
  ASSERT_TRUE(liveness.expired());
  EXPECT_EQ(session.host().clock().pendingTimers(), 1U);
  session.host().clock().wait(2.0);
  EXPECT_EQ(session.host().clock().pendingTimers(), 0U);
  EXPECT_EQ(session.log().size(), lines);
}

TEST(DebugSwitch, IsReadAfreshAtEveryTest) {
  HostedPlugin session;
  session.load();
  EXPECT_FALSE(session.plugin().IsDebugEnabled());
  ASSERT_TRUE(session.host().console().consoleSet("rafta_debug", "1"));
  EXPECT_TRUE(session.plugin().IsDebugEnabled());
  ASSERT_TRUE(session.host().console().consoleSet("rafta_debug", "0"));
  EXPECT_FALSE(session.plugin().IsDebugEnabled());
}

TEST(DebugSwitch, GatesThePictureLineOfLoadOnly) {
  for (const bool debug : {false, true}) {
    HostedPlugin session(debug ? "rafta_debug \"1\"\n" : "");
    session.load();
    int pathLines = 0;
    for (const std::string& line : session.log()) {
      pathLines += line.rfind("Chemin de l'image : ", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(pathLines, debug ? 1 : 0);
    EXPECT_EQ(session.log().back().rfind("Erreur : Image goal.png non trouvée à ", 0), 0U)
        << "errors are written whatever the switch says";
  }
}

}  // namespace
}  // namespace rafta::testing
