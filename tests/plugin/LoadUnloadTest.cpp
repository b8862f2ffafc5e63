// Load and unload: what the plugin asks of the host, in which order, and what it leaves behind.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "GameFunctions.h"
#include "PluginHost.h"
#include "Rafta.h"

namespace rafta::testing {
namespace {

const Strings kEventHooks = {game::kPostBeginPlay, game::kEndGame,     game::kBeginRound,
                             game::kOnGoalScored,  game::kStartReplay, game::kStopReplay};
// The same, by the names the session scripts give them.
const Strings kEventNames = {"PostBeginPlay", "EndGame",     "BeginRound",
                             "OnGoalScored",  "StartReplay", "StopReplay"};
const Strings kCommands = {names::kToggleOverlayCommand, names::kStyleCommand,
                           names::kResetSessionCommand, names::kResetTotalCommand};
// Every variable in registration order, with the default a first start gives it.
const std::vector<std::pair<std::string, std::string>> kDefaults = {
    {names::kDebugVariable, "0"},           {names::kOverlayEnabledVariable, "1"},
    {names::kOverlayXVariable, "100"},      {names::kOverlayYVariable, "100"},
    {names::kOverlayStyleVariable, "0"},    {names::kCountInFreeplayVariable, "0"},
    {names::kCountInTrainingVariable, "0"}, {names::kCountInMatchVariable, "1"},
    {names::kTotalVariable, "0"},           {names::kSavesVariable, "0"},
    {names::kResetsVariable, "0"},
};

// The host calls that change what the plugin has installed or stored.
Strings installations(const Strings& trace) {
  Strings kept;
  for (const std::string& line : trace) {
    for (const char* kind : {"HookEvent", "HookEventWithCaller", "UnhookEvent", "registerCvar",
                             "SetTimeout", "RegisterDrawable", "UnregisterDrawables",
                             "executeCommand", "registerNotifier", "removeNotifier"}) {
      if (line.starts_with(std::string(kind) + " ") || line == kind) {
        kept.push_back(line.substr(0, line.find(" \"")));
        break;
      }
    }
  }
  return kept;
}

TEST(Load, InstallsHitHooksVariablesStoredValuesTimerDrawableEventsAndCommandsInThatOrder) {
  PluginHost s;
  Strings expected = {std::string("HookEventWithCaller ") + game::kOnHitBall,
                      std::string("HookEventWithCaller ") + game::kTriggerHit};
  for (const auto& [name, value] : kDefaults) {
    expected.push_back("registerCvar " + name);
  }
  // The stored values are applied in between, read by the plugin itself: no cfg is executed.
  expected.emplace_back("SetTimeout 1 s");
  expected.emplace_back("RegisterDrawable");
  for (const std::string& event : kEventHooks) {
    expected.push_back("HookEvent " + event);
  }
  for (const std::string& command : kCommands) {
    expected.push_back("registerNotifier " + command);
  }
  EXPECT_EQ(installations(s.traceOf("load")), expected);
  s.run("expect timers 1\nexpect hooked TriggerHit\nexpect hooked OnHitBall");
  EXPECT_FALSE(s.frameOf().empty());
}

// A first start, with nothing stored: each variable reads its default at the console, and the
// unload stores each one at that value, for the next start to read, with the one save it made.
TEST(Load, AFirstStartStoresEveryVariableAtItsDefault) {
  PluginHost s;
  s.run("load");
  for (const auto& [name, value] : kDefaults) {
    EXPECT_EQ(s.cvar(name), value) << name;
  }
  s.run("wait 1\nunload");
  for (const auto& [name, value] : kDefaults) {
    EXPECT_EQ(s.stored(name), name == names::kSavesVariable ? "1" : value) << name;
  }
}

// What load reads is what the object holds: an unload before any frame stores it back.
TEST(Load, TakesTheOverlaySettingsFromTheirVariables) {
  PluginHost s(std::string(names::kOverlayEnabledVariable) + " \"0\"\n" + names::kOverlayXVariable +
               " \"250.5\"\n" + names::kOverlayYVariable + " \"80\"\n" +
               names::kOverlayStyleVariable + " \"4\"\n");
  s.run("load");
  EXPECT_EQ(s.log().at(2), "Sauvegarde overlayX: 250.500000 overlayY: 80.000000");
  EXPECT_TRUE(s.frameOf().empty()) << "the overlay is off";
  s.run(typed(names::kOverlayEnabledVariable, "1") + typed(names::kOverlayXVariable, "0") +
        typed(names::kOverlayYVariable, "0") + typed(names::kOverlayStyleVariable, "0") +
        "wait 1\nunload");
  EXPECT_EQ(s.stored(names::kOverlayEnabledVariable), "0");
  EXPECT_EQ(s.stored(names::kOverlayXVariable), "250.5");
  EXPECT_EQ(s.stored(names::kOverlayYVariable), "80");
  EXPECT_EQ(s.stored(names::kOverlayStyleVariable), "4");
}

// Without the handles a host fills before load, the object can only say so.
TEST(Load, WithoutAManagerOrAGameWrapperSaysSoOnStandardErrorAndTouchesNothing) {
  for (const bool withManager : {false, true}) {
    PluginHost s;
    const auto object = std::make_shared<Rafta>();
    if (withManager) {
      object->cvarManager = s.host().cvarManager();
    } else {
      object->gameWrapper = s.host().gameWrapper();
    }
    ::testing::internal::CaptureStderr();
    object->onLoad();
    object->onUnload();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), withManager
                                                            ? "Erreur : gameWrapper est nul !\n"
                                                            : "Erreur : cvarManager est nul !\n");
    EXPECT_TRUE(s.log().empty());
    EXPECT_TRUE(installations(s.trace()).empty());
    EXPECT_EQ(s.cvar(names::kDebugVariable), "<unregistered>");
  }
}

TEST(GoalPicture, AMissingOrUnusablePictureIsReportedAndLoadGoesOn) {
  for (const auto& [picture, line] :
       {std::pair<std::string, std::string>{"absent", "Erreur : Image goal.png non trouvée à "},
        {"unloadable", "Erreur : Échec du chargement de goal.png"}}) {
    PluginHost s;
    s.run("picture " + picture + "\nload\nexpect hooked StopReplay");
    EXPECT_TRUE(s.lastLog().starts_with(line)) << s.lastLog();
    if (picture == "absent") {
      EXPECT_TRUE(s.lastLog().ends_with(names::kGoalPictureInAppData)) << s.lastLog();
    }
    EXPECT_EQ(s.frameOf().size(), 9U) << "a box with no picture";
  }
}

TEST(Unload, RemovesTheDrawableEveryHookAndSavesBetweenTheLines) {
  PluginHost s;
  s.run("load\nwait 1");
  const Strings expected = {"UnregisterDrawables",
                            std::string("UnhookEvent ") + game::kTriggerHit,
                            std::string("UnhookEvent ") + game::kOnHitBall,
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
  EXPECT_EQ(installations(s.traceOf("unload")), expected);
  for (const std::string& command : kCommands) {
    s.run("expect no-command " + command);
  }
  for (const std::string& event : kEventNames) {
    s.run("expect not-hooked " + event);
  }
  s.run("expect not-hooked OnHitBall\nexpect not-hooked TriggerHit");
  EXPECT_TRUE(s.frameOf().empty());
}

TEST(Unload, StoresTheSettingsAndTheTotalTheObjectHolds) {
  PluginHost s(std::string(names::kTotalVariable) + " \"11\"\n");
  s.run(std::string(kReadyToCount) + "hit\n" + typed(names::kOverlayXVariable, "250.5") +
        typed(names::kOverlayYVariable, "80") + "frame\n" + command(names::kStyleCommand, "2") +
        command(names::kToggleOverlayCommand));
  const Strings unloading = s.linesOf("unload");
  EXPECT_EQ(s.stored(names::kOverlayXVariable), "250.5");
  EXPECT_EQ(s.stored(names::kOverlayYVariable), "80");
  EXPECT_EQ(s.stored(names::kOverlayEnabledVariable), "0");
  EXPECT_EQ(s.stored(names::kTotalVariable), "12");
  EXPECT_EQ(s.stored(names::kOverlayStyleVariable), "2");
  EXPECT_EQ(unloading, (Strings{"Hooks TriggerHit et OnHitBall désenregistrés",
                                "Sauvegarde overlayX: 250.500000 overlayY: 80.000000",
                                "Commande writeconfig exécutée", "Plugin Rafta déchargé."}));
}

TEST(Unload, WithTheHitHooksAlreadyRemovedWritesNoRemovalLine) {
  PluginHost s;
  s.run("load\nwait 1\nevent EndGame");
  EXPECT_EQ(s.linesOf("unload"),
            (Strings{"Sauvegarde overlayX: 100.000000 overlayY: 100.000000",
                     "Commande writeconfig exécutée", "Plugin Rafta déchargé."}));
}

}  // namespace
}  // namespace rafta::testing
