// The module's record and entry points, as a host sees them.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string_view>

#include "Rafta.h"
#include "sim/run/PluginLibrary.h"

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

TEST_F(EntryPoints, AFreshObjectAfterDeleteMeStartsFromItsInitialValues) {
  auto* first = static_cast<Rafta*>(handleAt(getPlugin()).get());
  first->sessionHitCount = 4;
  first->overlayX = 3.0F;
  first->countInMatch = false;
  deleteMe();
  const auto* fresh = static_cast<Rafta*>(handleAt(getPlugin()).get());
  ASSERT_NE(fresh, nullptr);
  EXPECT_TRUE(fresh->overlayEnabled);
  EXPECT_EQ(fresh->overlayX, 100.0F);
  EXPECT_EQ(fresh->overlayY, 100.0F);
  EXPECT_EQ(fresh->textSize.X, 0.0F);
  EXPECT_EQ(fresh->textSize.Y, 0.0F);
  EXPECT_FALSE(fresh->goalScoredRecently);
  EXPECT_EQ(fresh->goalImage, nullptr);
  EXPECT_EQ(fresh->lastHitTime, 0.0);
  EXPECT_TRUE(fresh->countInFreeplayTraining);
  EXPECT_TRUE(fresh->countInMatch);
  EXPECT_EQ(fresh->matchHitCount, 0);
  EXPECT_EQ(fresh->totalHitCount, 0);
  EXPECT_EQ(fresh->sessionHitCount, 0);
  EXPECT_EQ(fresh->overlayStyle, 0);
  EXPECT_FALSE(fresh->hitHooksRegistered);
  EXPECT_TRUE(fresh->lastBallTouchID.empty());
  EXPECT_EQ(fresh->storedTotal, Rafta::StoredTotal::Pending);
}

TEST_F(EntryPoints, AnObjectTheHostStillSharesOutlivesDeleteMe) {
  std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> hostShare = handleAt(getPlugin());
  const std::weak_ptr<const bool> liveness = static_cast<Rafta*>(hostShare.get())->liveness.load();
  deleteMe();
  EXPECT_FALSE(liveness.expired());
  EXPECT_EQ(handleAt(getPlugin()).get() == hostShare.get(), false)
      << "a new object, not the shared one";
  hostShare.reset();
  EXPECT_TRUE(liveness.expired());
}

TEST(PluginName, IsTheTitleOfTheSettingsPage) { EXPECT_EQ(Rafta().GetPluginName(), "Rafta"); }

}  // namespace
