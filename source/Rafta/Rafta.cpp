// The plugin frame: the module's entry points, and load and unload.
#include "Rafta.h"

#include <utility>

#include "Cp1252Literals.h"
#include "GameFunctions.h"
#include "LogText.h"
#include "Platform.h"
#include "PluginNames.h"
#include "RaftaVersion.h"

using namespace rafta::literals;

namespace {

constexpr unsigned long kPluginTypeStandard = 0;  // NOLINT(google-runtime-int): the host's type

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

  // The fields hold what was just applied, whatever the host's variables answer.
  LogOverlayPosition();

  LoadGoalImage();
  gameWrapper->RegisterDrawable([this](CanvasWrapper canvas) { RenderOverlay(canvas); });
  HookMatchEvents();
  RegisterCommands();
}

void Rafta::LoadGoalImage() {
  const std::optional<std::string> folder = rafta::platform::RoamingAppDataFolder();
  const std::string path = folder.value_or("") + rafta::names::kGoalPictureInAppData;
  if (IsDebugEnabled()) {
    Log("Chemin de l'image : " + path);
  }
  // Without the folder the path is relative to wherever the game runs: never look there.
  if (!folder || !rafta::platform::PathExists(path)) {
    Log(rafta::Concat("Erreur : Image goal.png non trouvée à "_cp1252, path));
    return;
  }
  drawing.goalImage = std::make_shared<ImageWrapper>(path, true, false);
  if (!drawing.goalImage->IsLoadedForCanvas()) {
    Log("Erreur : Échec du chargement de goal.png"_cp1252);
    drawing.goalImage.reset();
  }
}

void Rafta::onUnload() {
  if (!cvarManager || !gameWrapper) {
    return;  // load never got past its checks: nothing was installed
  }
  // A one-second read that has not run yet tells the total before the save, as it would have.
  if (storage.storedTotal != StoredTotal::Read) {
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
