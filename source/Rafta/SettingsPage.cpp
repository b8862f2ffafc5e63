// The settings page, drawn with Dear ImGui inside the host's settings window.
#include <imgui.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Cp1252Literals.h"
#include "LogText.h"
#include "PluginNames.h"
#include "Rafta.h"
#include "RaftaVersion.h"

using namespace rafta::literals;

namespace {

const ImVec4 kTitleGreen{0.1F, 1.0F, 0.1F, 1.0F};  // NOLINT(cert-err58-cpp): plain floats
// The screen the position sliders span, whatever the game's is.
constexpr float kSliderScreenWidth = 1920.0F;
constexpr float kSliderScreenHeight = 1080.0F;

void Gap() { ImGui::Dummy(ImVec2(0.0F, 5.0F)); }

// The page's texts hold no '%': each is its own format.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
#endif
void Title(const char* text) {
  ImGui::PushStyleColor(ImGuiCol_Text, kTitleGreen);
  ImGui::Text(text);  // NOLINT(clang-diagnostic-format-security)
  ImGui::PopStyleColor();
}
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// Pulls a position that lies off the screen back onto it; whether it had to.
bool KeepOnScreen(float& position, float size) {
  if (position < 0.0F) {
    position = 0.0F;
    return true;
  }
  if (position > size) {
    position = size;
    return true;
  }
  return false;
}

}  // namespace

std::string Rafta::GetPluginName() { return "Rafta"; }

void Rafta::SetImGuiContext(std::uintptr_t context) {
  ImGui::SetCurrentContext(
      reinterpret_cast<ImGuiContext*>(context));  // NOLINT(performance-no-int-to-ptr)
  // The host hands the context over on its render thread, where its console is not ours to call.
  OnGameThread([this, context] {
    Log(rafta::Concat("Contexte ImGui défini : "_cp1252, std::to_string(context)));
  });
}

void Rafta::OnGameThread(std::function<void()> action) {
  gameWrapper->Execute(
      WhileAlive<GameWrapper*>([action = std::move(action)](GameWrapper* /*game*/) { action(); }));
}

void Rafta::RenderSettings() {
  Gap();
  ImGui::PushStyleColor(ImGuiCol_Text, kTitleGreen);
  ImGui::Text("Rafta - tirs sur la barre et les poteaux, par l'equipe Rafta");
  ImGui::Text("v" RAFTA_SHOWN_VERSION);
  ImGui::PopStyleColor();
  ImGui::Separator();

  Title("Overlay on/off et Mode :");
  Gap();
  bool& shown = pageCopies.overlayEnabled.Follow(settings.overlayEnabled);
  if (ImGui::Checkbox("Afficher overlay", &shown)) {
    OnGameThread([this, shown] { ShowOverlay(shown); });
  }
  ImGui::SameLine();
  bool& inFreeplay = pageCopies.countInFreeplayTraining.Follow(settings.countInFreeplayTraining);
  if (ImGui::Checkbox(" Freeplay / Entrainement", &inFreeplay)) {
    OnGameThread([this, inFreeplay] { settings.countInFreeplayTraining = inFreeplay; });
  }
  ImGui::SameLine();
  bool& inMatch = pageCopies.countInMatch.Follow(settings.countInMatch);
  if (ImGui::Checkbox("All Match", &inMatch)) {
    OnGameThread([this, inMatch] { settings.countInMatch = inMatch; });
  }
  Gap();
  ImGui::Separator();

  RenderCounterResets();
  Gap();
  ImGui::Separator();
  RenderPositionSliders();
  Gap();
  ImGui::Separator();
  RenderStyleChoice();
}

void Rafta::RenderCounterResets() {
  Title("Reinitialisation des compteurs:");
  Gap();
  if (ImGui::Button("Reinitialiser le compteur session")) {
    OnGameThread([this] { ResetSession(); });
  }
  ImGui::SameLine();
  if (ImGui::Button("Reinitialiser le compteur total")) {
    // Written to the copy alone: the page writes no host configuration for it.
    OnGameThread([this] { ResetTotal({.host = false}); });
  }
}

void Rafta::RenderPositionSliders() {
  Title("Modifier position de l'overlay :");
  Gap();
  float& x = pageCopies.overlayX.Follow(settings.overlayX);
  float& y = pageCopies.overlayY.Follow(settings.overlayY);
  const bool xChanged =
      ImGui::SliderFloat("Position X", &x, 0.0F, kSliderScreenWidth, "%.0f", 1.0F);
  bool dragEnded = ImGui::IsItemDeactivatedAfterEdit();
  const bool yChanged =
      ImGui::SliderFloat("Position Y", &y, 0.0F, kSliderScreenHeight, "%.0f", 1.0F);
  dragEnded = ImGui::IsItemDeactivatedAfterEdit() || dragEnded;
  // A position off the screen is pulled back even untouched; only a slider's change is stored.
  const bool xMoved = KeepOnScreen(x, kSliderScreenWidth) || xChanged;
  const bool yMoved = KeepOnScreen(y, kSliderScreenHeight) || yChanged;
  if (!xMoved && !yMoved && !dragEnded) {
    return;
  }
  OnGameThread([this, x = xMoved ? std::optional(x) : std::nullopt,
                y = yMoved ? std::optional(y) : std::nullopt, xChanged, yChanged,
                dragEnded] { MoveOverlay(x, y, xChanged, yChanged, dragEnded); });
}

void Rafta::RenderStyleChoice() {
  // Lives as long as the module: the page shows what was last chosen here, whatever the console
  // or a new plugin object says.
  static int styleSelection = settings.overlayStyle;
  ImGui::PushStyleColor(ImGuiCol_Text, kTitleGreen);
  ImGui::Text("Style d'overlay :");
  Gap();
  ImGui::PopStyleColor();
  static const std::vector<const char*> items = [] {
    std::vector<const char*> names;
    for (const rafta::OverlayStyle& style : OverlayStyles()) {
      names.push_back(style.name);
    }
    return names;
  }();
  if (ImGui::Combo(rafta::names::kStyleComboId, &styleSelection, items.data(),
                   static_cast<int>(items.size()))) {
    OnGameThread([this, style = styleSelection] { ChooseStyle(style); });
  }
}
