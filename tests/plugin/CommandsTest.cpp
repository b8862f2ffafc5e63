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

}  // namespace
}  // namespace rafta::testing
