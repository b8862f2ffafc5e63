// Load and unload: what the plugin asks of the host, in which order, and what it leaves behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "HostedPlugin.h"

namespace rafta::testing {
namespace {

const std::vector<std::string> kEventHooks = {"Function TAGame.GameEvent_Soccar_TA.PostBeginPlay",
                                              "Function TAGame.GameEvent_Soccar_TA.EndGame",
                                              "Function TAGame.GameEvent_Soccar_TA.BeginRound",
                                              "Function TAGame.GameEvent_Soccar_TA.OnGoalScored",
                                              "Function TAGame.ReplayDirector_TA.StartReplay",
                                              "Function TAGame.ReplayDirector_TA.StopReplay"};
const std::string kOnHitBall = "Function TAGame.Car_TA.OnHitBall";
const std::string kTriggerHit = "Function TAGame.GoalCrossbarVolumeManager_TA.TriggerHit";
const std::vector<std::string> kCommands = {"rafta_toggle_overlay", "rafta_style",
                                            "rafta_reset_session", "rafta_reset_total"};

// The host calls that change what the plugin has installed or stored.
std::vector<std::string> installations(const std::vector<std::string>& trace) {
  std::vector<std::string> kept;
  for (const std::string& line : trace) {
    for (const char* kind : {"HookEvent", "HookEventWithCaller", "UnhookEvent", "registerCvar",
                             "SetTimeout", "RegisterDrawable", "UnregisterDrawables",
                             "executeCommand", "registerNotifier", "removeNotifier"}) {
      if (line.rfind(std::string(kind) + " ", 0) == 0 || line == kind) {
        kept.push_back(line.substr(0, line.find(" \"")));
        break;
      }
    }
  }
  return kept;
}

TEST(Load, InstallsHitHooksVariablesStoredValuesTimerDrawableEventsAndCommandsInThatOrder) {
  HostedPlugin session;
  session.load();
  std::vector<std::string> expected = {"HookEventWithCaller " + kOnHitBall,
                                       "HookEventWithCaller " + kTriggerHit,
                                       "registerCvar rafta_debug"};
  for (const char* name :
       {"rafta_overlay_enabled", "rafta_overlay_x", "rafta_overlay_y", "rafta_overlay_style",
        "rafta_count_in_freeplay", "rafta_count_in_training", "rafta_count_in_match",
        "rafta_total_hit_count"}) {
    expected.push_back(std::string("registerCvar ") + name);
  }
  expected.emplace_back("executeCommand");  // the stored values, applied before any read
  expected.emplace_back("SetTimeout 1 s");
  expected.emplace_back("RegisterDrawable");
  for (const std::string& event : kEventHooks) {
    expected.push_back("HookEvent " + event);
  }
  for (const std::string& command : kCommands) {
    expected.push_back("registerNotifier " + command);
  }
  EXPECT_EQ(installations(session.trace()), expected);
  EXPECT_EQ(session.host().clock().pendingTimers(), 1U);
  EXPECT_EQ(session.host().frames().drawableCount(), 1U);
  EXPECT_TRUE(session.plugin().hitHooksRegistered);
}

// A first start, with nothing stored: each variable reads its default at the console, and the
// unload stores each one at that value, for the next start to read.
TEST(Load, AFirstStartStoresEveryVariableAtItsDefault) {
  const std::vector<std::pair<std::string, std::string>> defaults = {
      {"rafta_debug", "0"},
      {"rafta_overlay_enabled", "1"},
      {"rafta_overlay_x", "100"},
      {"rafta_overlay_y", "100"},
      {"rafta_overlay_style", "0"},
      {"rafta_count_in_freeplay", "0"},
      {"rafta_count_in_training", "0"},
      {"rafta_count_in_match", "1"},
      {"rafta_total_hit_count", "0"}};
  HostedPlugin session;
  session.load();
  for (const auto& [name, value] : defaults) {
    EXPECT_EQ(session.cvar(name), value) << name;
  }
  session.host().clock().wait(1.0);
  session.unload();
  for (const auto& [name, value] : defaults) {
    EXPECT_EQ(session.stored(name), value) << name;
  }
}

TEST(Load, TakesTheOverlaySettingsFromTheirVariables) {
  HostedPlugin session(
      "rafta_overlay_enabled \"0\"\nrafta_overlay_x \"250.5\"\nrafta_overlay_y \"80\"\n"
      "rafta_overlay_style \"4\"\n");
  session.load();
  EXPECT_FALSE(session.plugin().overlayEnabled);
  EXPECT_EQ(session.plugin().overlayX, 250.5F);
  EXPECT_EQ(session.plugin().overlayY, 80.0F);
  EXPECT_EQ(session.plugin().overlayStyle, 4);
  EXPECT_EQ(session.log().at(2), "Sauvegarde overlayX: 250.500000 overlayY: 80.000000");
}

TEST(Load, WithoutAManagerSaysSoOnStandardErrorAndTouchesNothing) {
  HostedPlugin session;
  session.plugin().gameWrapper = session.host().gameWrapper();
  ::testing::internal::CaptureStderr();
  session.plugin().onLoad();
  session.plugin().onUnload();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Erreur : cvarManager est nul !\n");
  EXPECT_TRUE(session.host().console().logLines().empty());
  EXPECT_TRUE(installations(session.trace()).empty());
  EXPECT_EQ(session.host().console().findCvar("rafta_debug"), nullptr);
}

TEST(Load, WithoutAGameWrapperSaysSoOnStandardErrorAndTouchesNothing) {
  HostedPlugin session;
  session.plugin().cvarManager = session.host().cvarManager();
  ::testing::internal::CaptureStderr();
  session.plugin().onLoad();
  session.plugin().onUnload();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Erreur : gameWrapper est nul !\n");
  EXPECT_TRUE(session.host().console().logLines().empty());
  EXPECT_TRUE(installations(session.trace()).empty());
}

TEST(GoalPicture, AFolderTheSystemCannotReportMeansNoPicture) {
  HostedPlugin session;
  unsetenv("APPDATA");  // NOLINT(concurrency-mt-unsafe)
  session.load();
  EXPECT_EQ(session.log().back(),
            "Erreur : Image goal.png non trouvée à "
            "\\bakkesmod\\bakkesmod\\data\\Rafta\\images\\goal.png");
  EXPECT_EQ(session.plugin().goalImage, nullptr);
  EXPECT_EQ(session.host().frames().drawableCount(), 1U) << "load goes on";
}

TEST(GoalPicture, AnExistenceQueryThatFailsCountsAsAbsent) {
  HostedPlugin session;
  const std::string unusable(5000, 'x');   // longer than any path the system accepts
  setenv("APPDATA", unusable.c_str(), 1);  // NOLINT(concurrency-mt-unsafe)
  session.load();
  EXPECT_EQ(session.log().back().rfind("Erreur : Image goal.png non trouvée à xxx", 0), 0U);
  EXPECT_EQ(session.plugin().goalImage, nullptr);
  EXPECT_TRUE(session.host().hooks().isHooked(kEventHooks.back()));
}

TEST(Unload, RemovesTheDrawableEveryHookAndSavesBetweenTheLines) {
  HostedPlugin session;
  session.load();
  session.host().clock().wait(1.0);
  session.clearTrace();
  session.unload();
  const std::vector<std::string> expected = {"UnregisterDrawables",
                                             "UnhookEvent " + kTriggerHit,
                                             "UnhookEvent " + kOnHitBall,
                                             "UnhookEvent " + kEventHooks[0],
                                             "executeCommand",
                                             "UnhookEvent " + kEventHooks[1],
                                             "UnhookEvent " + kEventHooks[2],
                                             "UnhookEvent " + kEventHooks[3],
                                             "UnhookEvent " + kEventHooks[4],
                                             "UnhookEvent " + kEventHooks[5],
                                             "removeNotifier " + kCommands[0],
                                             "removeNotifier " + kCommands[1],
                                             "removeNotifier " + kCommands[2],
                                             "removeNotifier " + kCommands[3]};
  EXPECT_EQ(installations(session.trace()), expected);
  for (const std::string& command : kCommands) {
    EXPECT_FALSE(session.host().commands().hasNotifier(command)) << command;
  }
  for (const std::string& function : kEventHooks) {
    EXPECT_FALSE(session.host().hooks().isHooked(function)) << function;
  }
  EXPECT_FALSE(session.host().hooks().isHooked(kOnHitBall));
  EXPECT_FALSE(session.host().hooks().isHooked(kTriggerHit));
  EXPECT_EQ(session.host().frames().drawableCount(), 0U);
}

TEST(Unload, StoresTheFiveSettingsTheObjectHolds) {
  HostedPlugin session;
  session.load();
  session.host().clock().wait(1.0);
  Rafta& plugin = session.plugin();
  plugin.overlayX = 250.5F;
  plugin.overlayY = 80.0F;
  plugin.overlayEnabled = false;
  plugin.totalHitCount = 12;
  plugin.overlayStyle = 2;
  session.unload();
  EXPECT_EQ(session.stored("rafta_overlay_x"), "250.5");
  EXPECT_EQ(session.stored("rafta_overlay_y"), "80");
  EXPECT_EQ(session.stored("rafta_overlay_enabled"), "0");
  EXPECT_EQ(session.stored("rafta_total_hit_count"), "12");
  EXPECT_EQ(session.stored("rafta_overlay_style"), "2");
  const std::vector<std::string> log = session.log();
  EXPECT_EQ(std::vector<std::string>(log.end() - 4, log.end()),
            (std::vector<std::string>{"Hooks TriggerHit et OnHitBall désenregistrés",
                                      "Sauvegarde overlayX: 250.500000 overlayY: 80.000000",
                                      "Commande writeconfig exécutée", "Plugin Rafta déchargé."}));
}

TEST(Unload, WithTheHitHooksAlreadyRemovedWritesNoRemovalLine) {
  HostedPlugin session;
  session.load();
  session.host().clock().wait(1.0);
  session.plugin().UnregisterHitHook();
  const std::size_t before = session.log().size();
  session.unload();
  const std::vector<std::string> log = session.log();
  EXPECT_EQ(log.size(), before + 3);
  EXPECT_EQ(log.back(), "Plugin Rafta déchargé.");
}

}  // namespace
}  // namespace rafta::testing
