// Load and unload: what the plugin asks of the host, in which order, and what it leaves behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
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

// The host calls that change what the plugin has installed or stored.
std::vector<std::string> installations(const std::vector<std::string>& trace) {
  std::vector<std::string> kept;
  for (const std::string& line : trace) {
    for (const char* kind :
         {"HookEvent", "HookEventWithCaller", "UnhookEvent", "registerCvar", "SetTimeout",
          "RegisterDrawable", "UnregisterDrawables", "executeCommand"}) {
      if (line.rfind(std::string(kind) + " ", 0) == 0 || line == kind) {
        kept.push_back(line.substr(0, line.find(" \"")));
        break;
      }
    }
  }
  return kept;
}

TEST(Load, InstallsHitHooksVariablesTimerDrawableAndEventsInThatOrder) {
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
  expected.emplace_back("SetTimeout 1 s");
  expected.emplace_back("RegisterDrawable");
  for (const std::string& event : kEventHooks) {
    expected.push_back("HookEvent " + event);
  }
  EXPECT_EQ(installations(session.trace()), expected);
  EXPECT_EQ(session.host().callbacks().pendingTimers(), 1U);
  EXPECT_EQ(session.host().callbacks().drawableCount(), 1U);
  EXPECT_TRUE(session.plugin().hitHooksRegistered);
}

TEST(Load, RegistersEachVariableWithItsDefaultDescriptionRangeAndFlags) {
  struct Expected {
    const char* name;
    const char* defaultValue;
    const char* description;
    bool hasMin;
    float min;
    bool hasMax;
    float max;
  };
  const std::vector<Expected> table = {
      {"rafta_debug", "0", "Enable debug logs for Rafta plugin", true, 0.0F, true, 1.0F},
      {"rafta_overlay_enabled", "1", "Affiche l'overlay Rafta", false, 0.0F, false, 0.0F},
      {"rafta_overlay_x", "100", "Position X overlay", true, 0.0F, true, 1920.0F},
      {"rafta_overlay_y", "100", "Position Y overlay", true, 0.0F, true, 1080.0F},
      {"rafta_overlay_style", "0",
       "Style d'affichage de l'overlay (0=classique, 1=minimal, 2=large, 3=Sobre, 4=Tableau)",
       false, 0.0F, false, 0.0F},
      {"rafta_count_in_freeplay", "0", "Compter en Freeplay ?", true, 0.0F, true, 1.0F},
      {"rafta_count_in_training", "0", "Compter en Entra\xEEnement ?", true, 0.0F, true, 1.0F},
      {"rafta_count_in_match", "1", "Compter en Match ?", true, 0.0F, true, 1.0F},
      {"rafta_total_hit_count", "0", "Compteur total de touches Rafta", false, 0.0F, false, 0.0F},
  };
  HostedPlugin session;
  session.load();
  for (const Expected& want : table) {
    const sim::ConsoleVariable* variable = session.host().console().findCvar(want.name);
    ASSERT_NE(variable, nullptr) << want.name;
    const sim::CvarSettings& got = variable->settings();
    EXPECT_EQ(variable->defaultValue(), want.defaultValue) << want.name;
    EXPECT_EQ(got.description, want.description) << want.name;
    EXPECT_TRUE(got.searchable) << want.name;
    EXPECT_TRUE(got.save) << want.name;
    EXPECT_EQ(got.hasMin, want.hasMin) << want.name;
    EXPECT_EQ(got.min, want.min) << want.name;
    EXPECT_EQ(got.hasMax, want.hasMax) << want.name;
    EXPECT_EQ(got.max, want.max) << want.name;
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
  EXPECT_EQ(session.host().callbacks().drawableCount(), 1U) << "load goes on";
}

TEST(GoalPicture, AnExistenceQueryThatFailsCountsAsAbsent) {
  HostedPlugin session;
  const std::string unusable(5000, 'x');   // longer than any path the system accepts
  setenv("APPDATA", unusable.c_str(), 1);  // NOLINT(concurrency-mt-unsafe)
  session.load();
  EXPECT_EQ(session.log().back().rfind("Erreur : Image goal.png non trouvée à xxx", 0), 0U);
  EXPECT_EQ(session.plugin().goalImage, nullptr);
  EXPECT_TRUE(session.host().callbacks().isHooked(kEventHooks.back()));
}

TEST(Unload, RemovesTheDrawableEveryHookAndSavesBetweenTheLines) {
  HostedPlugin session;
  session.load();
  session.host().callbacks().wait(1.0);
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
                                             "UnhookEvent " + kEventHooks[5]};
  EXPECT_EQ(installations(session.trace()), expected);
  for (const std::string& function : kEventHooks) {
    EXPECT_FALSE(session.host().callbacks().isHooked(function)) << function;
  }
  EXPECT_FALSE(session.host().callbacks().isHooked(kOnHitBall));
  EXPECT_FALSE(session.host().callbacks().isHooked(kTriggerHit));
  EXPECT_EQ(session.host().callbacks().drawableCount(), 0U);
}

TEST(Unload, StoresTheFiveSettingsTheObjectHolds) {
  HostedPlugin session;
  session.load();
  session.host().callbacks().wait(1.0);
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
  session.host().callbacks().wait(1.0);
  session.plugin().UnregisterHitHook();
  const std::size_t before = session.log().size();
  session.unload();
  const std::vector<std::string> log = session.log();
  EXPECT_EQ(log.size(), before + 3);
  EXPECT_EQ(log.back(), "Plugin Rafta déchargé.");
}

}  // namespace
}  // namespace rafta::testing
