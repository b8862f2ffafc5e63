// The module's record and entry points, as a host sees them.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string_view>

#include "PluginHost.h"
#include "Rafta.h"
#include "sim/host/PluginLibrary.h"

namespace {

using rafta::sim::PluginHandle;

PluginHandle& handleAt(std::uintptr_t address) {
  return *reinterpret_cast<PluginHandle*>(address);  // NOLINT(performance-no-int-to-ptr)
}

TEST(ExportRecord, CarriesTheValuesTheHostReadsInTheirSlots) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&exports);
  std::uint64_t slot = 0;
  std::memcpy(&slot, bytes, sizeof slot);
  EXPECT_EQ(slot, 95U) << "API version in the low half, zero above";
  std::memcpy(&slot, bytes + 40, sizeof slot);
  EXPECT_EQ(slot, 0U) << "plugin type";
  EXPECT_STREQ(exports.className, "Rafta");
  EXPECT_STREQ(exports.pluginName, "Rafta Plugin");
  EXPECT_STREQ(exports.pluginVersion, "1.0");
  EXPECT_TRUE(std::string_view(exports.fileName).ends_with("source/Rafta/Rafta.cpp"));
  EXPECT_EQ(exports.initializeFunc, &getPlugin);
  EXPECT_EQ(exports.delFunc, &deleteMe);
}

class EntryPoints : public ::testing::Test {
 protected:
  void TearDown() override { deleteMe(); }
};

TEST_F(EntryPoints, GetPluginCreatesOneObjectAndHandsOutTheSameHandle) {
  const std::uintptr_t first = getPlugin();
  const std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> object = handleAt(first);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(getPlugin(), first);
  EXPECT_EQ(handleAt(first), object) << "a second call creates nothing";
  EXPECT_EQ(object->cvarManager, nullptr);
  EXPECT_EQ(object->gameWrapper, nullptr);
}

TEST_F(EntryPoints, DeleteMeWithoutAnObjectDoesNothing) {
  deleteMe();
  deleteMe();
  const std::uintptr_t address = getPlugin();
  deleteMe();
  deleteMe();
  EXPECT_EQ(handleAt(address), nullptr);
}

TEST_F(EntryPoints, AnObjectTheHostStillSharesOutlivesDeleteMe) {
  std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> hostShare = handleAt(getPlugin());
  deleteMe();
  EXPECT_EQ(hostShare.use_count(), 1) << "the module let go of it, the host has it still";
  EXPECT_NE(handleAt(getPlugin()).get(), hostShare.get()) << "a new object, not the shared one";
}

TEST(PluginName, IsTheTitleOfTheSettingsPage) { EXPECT_EQ(Rafta().GetPluginName(), "Rafta"); }

}  // namespace

namespace rafta::testing {
namespace {

// A load after an unload gets a new object: nothing of the last one's counters, hooks, goal
// window, last toucher or switches carries over, and the stored total is read again.
TEST(Reload, StartsFromAFreshObject) {
  PluginHost s;
  s.run(std::string(kReadyToCount) + "hit\n" +
        "toggle \" Freeplay / Entrainement\"\ntoggle \"All Match\"\n"
        "event OnGoalScored\nevent EndGame\nunload\nclock 20.5");
  EXPECT_EQ(s.linesOf("load"),
            (Strings{"onLoad: RegisterHitHook...", "Hooks enregistrés avec succès",
                     "Sauvegarde overlayX: 100.000000 overlayY: 100.000000"}));
  EXPECT_EQ(s.linesOf("hit"), Strings{"onRaftaHit : Dernier touché () ? toi (me-id)"});
  EXPECT_EQ(s.linesOf("state freeplay=1\ntouch me\nhit"),
            (Strings{">>> Hook OnHitBall déclenché", "OnHitBall appelé",
                     "OnHitBall : lastBallTouchID mis à jour à me-id",
                     "Incrémentation compteur barre/poteau ! Total = 2"}))
      << "the first object stored 1";
  EXPECT_EQ(s.linesOf("wait 1"), Strings{"rafta_total_hit_count chargé avec valeur différée : 2"});
  EXPECT_EQ(s.countersShown(), "Rafta hits | match: 1 | session 1 | total: 2");
}

}  // namespace
}  // namespace rafta::testing
