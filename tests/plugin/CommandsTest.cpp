// The key-bind commands: each change is stored at once.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "PluginHost.h"

namespace rafta::testing {
namespace {

// A game may exit without unloading: what a key changed must be stored at once.
TEST(Commands, EachChangeIsStoredAtOnce) {
  for (const auto& [typedLine, name, value] :
       {std::tuple<std::string, std::string, std::string>{command(names::kToggleOverlayCommand),
                                                          names::kOverlayEnabledVariable, "0"},
        {command(names::kStyleCommand, "3"), names::kOverlayStyleVariable, "3"},
        {command(names::kResetTotalCommand, "confirm"), names::kTotalVariable, "0"}}) {
    PluginHost s(std::string(names::kTotalVariable) + " \"57\"\n");
    s.run("load\n" + typedLine);
    EXPECT_EQ(s.commits(), 1) << typedLine;
    EXPECT_EQ(s.stored(name), value) << typedLine;
  }
}

// A style typed at the console may be anything; the overlay draws what it does not know as the
// first style, and "next" goes on from the style drawn.
TEST(Commands, NextAfterAStyleTheOverlayDoesNotKnowIsTheSecond) {
  for (const char* unknown : {"5", "-1", "2147483647"}) {
    PluginHost s;
    s.run("load\n" + typed(names::kOverlayStyleVariable, unknown) +
          command(names::kStyleCommand, "next"));
    EXPECT_EQ(s.cvar(names::kOverlayStyleVariable), "1") << unknown;
    EXPECT_EQ(s.lastLog(), "Style d'overlay Rafta : 1") << unknown;
  }
}

}  // namespace
}  // namespace rafta::testing
