// The settings page against a host that lost its variables, and the context hand-over.
#include <gtest/gtest.h>
#include <imgui.h>

#include "PluginHost.h"
#include "bakkesmod/plugin/PluginSettingsWindow.h"
#include "bakkesmod/plugin/bakkesmodplugin.h"

namespace rafta::testing {
namespace {

const Strings kVariables = {names::kOverlayEnabledVariable, names::kOverlayXVariable,
                            names::kOverlayYVariable, names::kOverlayStyleVariable,
                            names::kTotalVariable};

TEST(SettingsPageEdges, SkipsTheWritesOfVariablesTheHostDoesNotHave) {
  PluginHost s(std::string(names::kTotalVariable) + " \"9\"\n");
  s.run("load\nwait 1");
  for (const std::string& name : kVariables) {
    s.dropVariable(name);
  }
  s.run("click \"Reinitialiser le compteur total\"\nslide \"Position X\" 300\nchoose Sobre");
  for (const std::string& name : kVariables) {
    EXPECT_EQ(s.cvar(name), "<unregistered>") << name;
  }
  // Without its place on the screen the overlay draws nothing; with it, the reset shows.
  EXPECT_EQ(s.countersShown(), "");
  for (const char* name :
       {names::kOverlayXVariable, names::kOverlayYVariable, names::kOverlayStyleVariable}) {
    s.registerVariable(name, "0");
  }
  EXPECT_EQ(s.countersShown(), "Rafta hits | match: 0 | session 0 | total: 0");
}

TEST(SettingsPageEdges, TheContextHandOverIsLoggedInUnsignedDecimal) {
  PluginHost s;
  s.run("load");
  ImGuiContext* const hostContext = ImGui::GetCurrentContext();
  s.page().SetImGuiContext(4096);
  EXPECT_EQ(ImGui::GetCurrentContext(), reinterpret_cast<ImGuiContext*>(4096));
  ImGui::SetCurrentContext(hostContext);
  EXPECT_EQ(s.linesOf("wait 0"), Strings{"Contexte ImGui défini : 4096"})
      << "written on the game thread";
}

}  // namespace
}  // namespace rafta::testing
