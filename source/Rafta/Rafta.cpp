// The plugin frame: the module's entry points, and load and unload.
#include "Rafta.h"

#include <utility>

#include "Cp1252.h"
#include "GameFunctions.h"
#include "Platform.h"
#include "Text.h"
#include "Version.h"

using namespace rafta::literals;

namespace {

constexpr unsigned long kPluginTypeStandard = 0;  // NOLINT(google-runtime-int): the host's type
// Appended as it is: it brings its own leading backslash.
constexpr std::string_view kGoalPictureInAppData =
    R"(\bakkesmod\bakkesmod\data\Rafta\images\goal.png)";

}  // namespace

std::shared_ptr<CVarManagerWrapper> globalCvarManager;

// getPlugin, deleteMe and the export record, with the one plugin object from getPlugin to
// deleteMe.
BAKKESMOD_PLUGIN(Rafta, "Rafta Plugin", RAFTA_SHOWN_VERSION, kPluginTypeStandard)

void Rafta::onLoad() {
  // Without the host's handles nothing below could run, and there is no console to say so.
  if (!cvarManager) {
    rafta::platform::ReportWithoutConsole("Erreur : cvarManager est nul !");
    return;
  }
  if (!gameWrapper) {
    rafta::platform::ReportWithoutConsole("Erreur : gameWrapper est nul !");
    return;
  }
  Log("onLoad: RegisterHitHook...");
  RegisterHitHook();
  RegisterDebugVariable();
  globalCvarManager = cvarManager;
  RegisterSettingsVariables();
  ApplyStoredValues();
  ScheduleStoredTotalRead();

  overlayEnabled = cvarManager->getCvar("rafta_overlay_enabled").getBoolValue();
  overlayX = cvarManager->getCvar("rafta_overlay_x").getFloatValue();
  overlayY = cvarManager->getCvar("rafta_overlay_y").getFloatValue();
  LogOverlayPosition();
  overlayStyle = cvarManager->getCvar("rafta_overlay_style").getIntValue();

  LoadGoalImage();
  gameWrapper->RegisterDrawable([this](CanvasWrapper canvas) { RenderOverlay(canvas); });
  HookMatchEvents();
  RegisterCommands();
}

void Rafta::LoadGoalImage() {
  const std::optional<std::string> folder = rafta::platform::RoamingAppDataFolder();
  const std::string path = folder.value_or("") + std::string(kGoalPictureInAppData);
  if (IsDebugEnabled()) {
    Log("Chemin de l'image : " + path);
  }
  // Without the folder the path is relative to wherever the game runs: never look there.
  if (!folder || !rafta::platform::PathExists(path)) {
    Log(rafta::Concat("Erreur : Image goal.png non trouvée à "_cp1252, path));
    return;
  }
  goalImage = std::make_shared<ImageWrapper>(path, true, false);
  if (!goalImage->IsLoadedForCanvas()) {
    Log("Erreur : Échec du chargement de goal.png"_cp1252);
    goalImage.reset();
  }
}

void Rafta::HookMatchEvents() {
  using namespace rafta::game;
  gameWrapper->HookEvent(kPostBeginPlay,
                         [this](std::string name) { onMatchStart(std::move(name)); });
  gameWrapper->HookEvent(kEndGame, [this](std::string name) { onMatchEnd(std::move(name)); });
  gameWrapper->HookEvent(kBeginRound, [this](std::string name) { onRoundStart(std::move(name)); });
  gameWrapper->HookEvent(kOnGoalScored,
                         [this](std::string name) { onGoalScoredEvent(std::move(name)); });
  gameWrapper->HookEvent(kStartReplay,
                         [this](std::string name) { onReplayStart(std::move(name)); });
  gameWrapper->HookEvent(kStopReplay, [this](std::string name) { onReplayEnd(std::move(name)); });
}

void Rafta::onUnload() {
  if (!cvarManager || !gameWrapper) {
    return;  // load never got past its checks: nothing was installed
  }
  // Saving before the stored total is known would overwrite it with what was counted since load.
  if (storedTotal != StoredTotal::Read) {
    ReadStoredTotal();
  }
  gameWrapper->UnregisterDrawables();
  UnregisterHitHook();
  gameWrapper->UnhookEvent(rafta::game::kPostBeginPlay);
  SaveSettings();
  Log("Plugin Rafta déchargé."_cp1252);
  UnhookMatchEvents();
  // Timers armed while loaded stand down, even while the host still shares this object.
  liveness = std::make_shared<const bool>(true);
  RemoveCommands();
}

// Every hooked event captures this object, so none may stay behind it.
void Rafta::UnhookMatchEvents() {
  using namespace rafta::game;
  for (const char* name : {kEndGame, kBeginRound, kOnGoalScored, kStartReplay, kStopReplay}) {
    gameWrapper->UnhookEvent(name);
  }
}

void Rafta::Log(std::string_view text) const { cvarManager->log(std::string(text)); }
