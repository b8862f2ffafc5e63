// The settings page against a host that lost its variables, and the context hand-over.
#include <gtest/gtest.h>
#include <imgui.h>

#include "PluginScript.h"

namespace rafta::testing {
namespace {

TEST(SettingsPage, SkipsTheWritesOfVariablesTheHostDoesNotHave) {
  PluginScript s;
  s.run("load");
  s.plugin().totalHitCount = 9;
  s.host().forgetAll();
  s.run("click \"Reinitialiser le compteur total\"\nslide \"Position X\" 300\nchoose Sobre");
  EXPECT_EQ(s.plugin().totalHitCount, 0);
  EXPECT_EQ(s.plugin().overlayX, 300.0F);
  EXPECT_EQ(s.plugin().overlayStyle, 3);
  EXPECT_EQ(s.host().console().findCvar("rafta_overlay_x"), nullptr);
}

TEST(SettingsPage, TheContextHandOverIsLoggedInUnsignedDecimal) {
  PluginScript s;
  s.run("load");
  ImGuiContext* const hostContext = ImGui::GetCurrentContext();
  s.plugin().SetImGuiContext(4096);
  EXPECT_EQ(ImGui::GetCurrentContext(), reinterpret_cast<ImGuiContext*>(4096));
  ImGui::SetCurrentContext(hostContext);
  s.host().hooks().tick();  // the line is written on the game thread
  EXPECT_EQ(s.log().back(), "Contexte ImGui défini : 4096");
}

}  // namespace
}  // namespace rafta::testing
