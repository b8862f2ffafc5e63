// The key-bind commands as the plugin holds them: only a loaded object acts on them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "HostedPlugin.h"

namespace rafta::testing {
namespace {

// A host that still called the commands after unload would reach an object that has stood down.
TEST(Commands, DoNothingOnceTheObjectHasUnloaded) {
  HostedPlugin session;
  session.load();
  Rafta& plugin = session.plugin();
  plugin.sessionHitCount = 3;
  plugin.liveness = std::make_shared<const bool>(true);  // what unload does to its callbacks
  const std::size_t lines = session.log().size();
  for (const std::vector<std::string>& words : {std::vector<std::string>{"rafta_toggle_overlay"},
                                                {"rafta_style", "2"},
                                                {"rafta_reset_session"},
                                                {"rafta_reset_total", "confirm"}}) {
    EXPECT_TRUE(session.host().commands().type(words)) << words.front();
  }
  EXPECT_TRUE(plugin.overlayEnabled);
  EXPECT_EQ(plugin.overlayStyle, 0);
  EXPECT_EQ(plugin.sessionHitCount, 3);
  EXPECT_EQ(session.log().size(), lines);
  EXPECT_EQ(session.commits(), 0);
}

// A game may exit without unloading: what a key changed must be stored at once.
TEST(Commands, EachChangeIsStoredAtOnce) {
  for (const auto& [words, name, value] :
       {std::tuple<std::vector<std::string>, std::string, std::string>{
            {"rafta_toggle_overlay"}, "rafta_overlay_enabled", "0"},
        {{"rafta_style", "3"}, "rafta_overlay_style", "3"},
        {{"rafta_reset_total", "confirm"}, "rafta_total_hit_count", "0"}}) {
    HostedPlugin session("rafta_total_hit_count \"57\"\n");
    session.load();
    ASSERT_TRUE(session.host().commands().type(words));
    EXPECT_EQ(session.commits(), 1) << words.front();
    EXPECT_EQ(session.stored(name), value) << words.front();
  }
}

}  // namespace
}  // namespace rafta::testing
