// The all-time total: known from load, told one second after it, and never lost to an early hit,
// an early unload or a timer that outlives the load.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "PluginHost.h"

namespace rafta::testing {
namespace {

const std::string kStored57 = std::string(names::kTotalVariable) + " \"57\"\n";
const std::string kRead57 = "rafta_total_hit_count chargé avec valeur différée : 57";
const std::string kNotFound = "Erreur : rafta_total_hit_count est toujours nul après délai.";

// Our car ready to strike the goal we attack, loaded but with the stored total not yet read.
std::string loadedBeforeTheRead(const std::string& setUp = "") {
  return "car me id me-id team 0\nlocal me\nstate ingame=1\nball pos 0 4000 100 vel 1000 0 0\n" +
         setUp + "load\ntouch me\n";
}

// Shown from the first frame; the read one second after load tells it.
TEST(StoredTotal, IsShownFromLoadAndToldOneSecondLater) {
  PluginHost s(kStored57);
  s.run(loadedBeforeTheRead());
  EXPECT_EQ(s.countersShown("wait 0.999"), "Rafta hits | match: 0 | session 0 | total: 57");
  EXPECT_EQ(s.linesOf("wait 0.001"), Strings{kRead57});
  EXPECT_EQ(s.commits(), 0) << "nothing was counted, nothing to store";
}

// Whenever the host executes its configuration, before the read or after it.
TEST(StoredTotal, AHitInTheFirstSecondIsStoredAtOnce) {
  for (const char* configDelay : {"0", "0.5", "2"}) {
    PluginHost s(kStored57);
    s.run(loadedBeforeTheRead(std::string("config-delay ") + configDelay + "\n"));
    EXPECT_EQ(s.linesOf("wait 0.5\nclock 3\nhit"),
              Strings{"Incrémentation compteur barre/poteau ! Total = 58"});
    EXPECT_EQ(s.stored(names::kTotalVariable), "58") << "delay " << configDelay;
    EXPECT_EQ(s.commits(), 1);
    EXPECT_EQ(s.linesOf("wait 0.5"),
              Strings{"rafta_total_hit_count chargé avec valeur différée : 58"});
    s.run("wait 2\nclock 5\nhit");
    EXPECT_EQ(s.stored(names::kTotalVariable), "59") << "delay " << configDelay;
    EXPECT_EQ(s.commits(), 2);
  }
}

// The bound command stores and commits the zero, the page's button only stores it: either way
// the read adds only what was counted after the reset.
TEST(StoredTotal, AResetBeforeTheReadLeavesWhatWasCountedAfterIt) {
  for (const std::string& reset : {command(names::kResetTotalCommand, "confirm"),
                                   std::string("click \"Reinitialiser le compteur total\"\n")}) {
    PluginHost s(kStored57);
    s.run(loadedBeforeTheRead() + "wait 0.2\nclock 1\nhit\n" + reset +
          "clock 2\nhit\nclock 3\nhit\nwait 1");
    EXPECT_EQ(s.lastLog(), "rafta_total_hit_count chargé avec valeur différée : 2") << reset;
    EXPECT_EQ(s.stored(names::kTotalVariable), "2") << reset;
    EXPECT_EQ(s.countersShown(), "Rafta hits | match: 3 | session 3 | total: 2") << reset;
  }
}

TEST(StoredTotal, TheMergeStopsAtTheLargestCount) {
  PluginHost s(std::string(names::kTotalVariable) + " \"2147483647\"\n");
  s.run(loadedBeforeTheRead() + "clock 1\nhit\nwait 1");
  EXPECT_EQ(s.lastLog(), "rafta_total_hit_count chargé avec valeur différée : 2147483647");
  EXPECT_EQ(s.countersShown(), "Rafta hits | match: 1 | session 1 | total: 2147483647");
}

TEST(StoredTotal, UnloadBeforeTheReadCompletesItThenSaves) {
  PluginHost s(kStored57);
  s.run(loadedBeforeTheRead() + "wait 0.3\nclock 1\nhit");
  // The host may keep its share of the object past unload: the read's timer must stand down.
  const auto hostShare = s.object();
  const Strings unloading = s.linesOf("unload");
  ASSERT_FALSE(unloading.empty());
  EXPECT_EQ(unloading.front(), "rafta_total_hit_count chargé avec valeur différée : 58");
  EXPECT_EQ(s.stored(names::kTotalVariable), "58");
  EXPECT_NE(s.savedCopy().find(std::string(names::kTotalVariable) + " \"58\"\n"), std::string::npos)
      << s.savedCopy();
  EXPECT_TRUE(s.linesOf("wait 1").empty());
}

// A host that lost the variable: the read says so and is tried again at each hit, the copy keeps
// every hit, and what the host executes later never lowers the total.
TEST(StoredTotal, AMissingVariableLosesNothing) {
  PluginHost s(kStored57);
  s.run(loadedBeforeTheRead() + "clock 1\nhit");
  s.dropVariable(names::kTotalVariable);
  EXPECT_EQ(s.linesOf("wait 1"), Strings{kNotFound});
  EXPECT_EQ(s.countersShown(), "Rafta hits | match: 1 | session 1 | total: 58");
  EXPECT_EQ(s.linesOf("clock 2\nhit"),
            (Strings{kNotFound, "Incrémentation compteur barre/poteau ! Total = 59"}));
  EXPECT_NE(s.savedCopy().find(std::string(names::kTotalVariable) + " \"59\"\n"), std::string::npos)
      << s.savedCopy();
  s.registerVariable(names::kTotalVariable, "0");
  s.run(command("exec", "config.cfg") + "clock 3\nhit");
  EXPECT_EQ(s.log().back(), "Incrémentation compteur barre/poteau ! Total = 60");
  EXPECT_EQ(s.stored(names::kTotalVariable), "60");
}

// Timers armed while loaded do nothing once unloaded, whether the host keeps a share of the
// object or lets it go.
TEST(Timers, StandDownAtUnload) {
  for (const bool hostKeepsAShare : {false, true}) {
    PluginHost s(kStored57);
    s.run(loadedBeforeTheRead() + "event OnGoalScored\nexpect timers 2");
    std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> share;
    if (hostKeepsAShare) {
      share = s.object();
    }
    s.run("unload");
    EXPECT_TRUE(s.linesOf("wait 2\nexpect timers 0").empty()) << hostKeepsAShare;
  }
}

TEST(DebugSwitch, IsReadAfreshAtEveryHit) {
  PluginHost s;
  s.run(kReadyToCount);
  EXPECT_EQ(s.linesOf(typed(names::kDebugVariable, "1") + "hit").size(), 7U);
  EXPECT_EQ(s.linesOf(typed(names::kDebugVariable, "0") + "clock 30\nhit"),
            Strings{"Incrémentation compteur barre/poteau ! Total = 2"});
}

TEST(DebugSwitch, GatesThePictureLineOfLoadOnly) {
  for (const bool debug : {false, true}) {
    PluginHost s(debug ? std::string(names::kDebugVariable) + " \"1\"\n" : "");
    s.run("picture absent\nload");
    int pathLines = 0;
    for (const std::string& line : s.log()) {
      pathLines += line.starts_with("Chemin de l'image : ") ? 1 : 0;
    }
    EXPECT_EQ(pathLines, debug ? 1 : 0);
    EXPECT_NE(std::find_if(s.log().begin(), s.log().end(),
                           [](const std::string& line) {
                             return line.starts_with("Erreur : Image goal.png non trouvée à ");
                           }),
              s.log().end())
        << "errors are written whatever the switch says";
  }
}

}  // namespace
}  // namespace rafta::testing
