// The settings page, drawn with Dear ImGui inside the host's settings window.
#include <imgui.h>

#include <array>
#include <string>

#include "Cp1252.h"
#include "Rafta.h"
#include "Text.h"

using namespace rafta::literals;

namespace {

constexpr std::array<const char*, 5> kStyleItems = {"Classique", "Minimaliste", "Large", "Sobre",
                                                    "Tableau"};
const ImVec4 kTitleGreen{0.1F, 1.0F, 0.1F, 1.0F};  // NOLINT(cert-err58-cpp): plain floats
constexpr float kScreenWidth = 1920.0F;
constexpr float kScreenHeight = 1080.0F;

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

float KeepOnScreen(float position, float size) {
  if (position < 0.0F) {
    return 0.0F;
  }
  return position > size ? size : position;
}

}  // namespace

std::string Rafta::GetPluginName() { return "Rafta"; }

void Rafta::SetImGuiContext(std::uintptr_t context) {
  ImGui::SetCurrentContext(
      reinterpret_cast<ImGuiContext*>(context));  // NOLINT(performance-no-int-to-ptr)
  Log(rafta::Concat("Contexte ImGui défini : "_cp1252, std::to_string(context)));
}

void Rafta::RenderSettings() {
  Gap();
  ImGui::PushStyleColor(ImGuiCol_Text, kTitleGreen);
  ImGui::Text("Rafta - tirs sur la barre et les poteaux, par l'equipe Rafta");
  ImGui::Text("v1.0");
  ImGui::PopStyleColor();
  ImGui::Separator();

  Title("Overlay on/off et Mode :");
  Gap();
  if (ImGui::Checkbox("Afficher overlay", &overlayEnabled)) {
    CommitOverlaySwitch();
  }
  ImGui::SameLine();
  ImGui::Checkbox(" Freeplay / Entrainement", &countInFreeplayTraining);
  ImGui::SameLine();
  ImGui::Checkbox("All Match", &countInMatch);
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
    sessionHitCount = 0;
  }
  ImGui::SameLine();
  if (ImGui::Button("Reinitialiser le compteur total")) {
    ResetTotal();
  }
}

void Rafta::RenderPositionSliders() {
  Title("Modifier position de l'overlay :");
  Gap();
  const bool xChanged =
      ImGui::SliderFloat("Position X", &overlayX, 0.0F, kScreenWidth, "%.0f", 1.0F);
  const bool yChanged =
      ImGui::SliderFloat("Position Y", &overlayY, 0.0F, kScreenHeight, "%.0f", 1.0F);
  overlayX = KeepOnScreen(overlayX, kScreenWidth);
  overlayY = KeepOnScreen(overlayY, kScreenHeight);
  if (xChanged) {
    StoreSetting("rafta_overlay_x", overlayX);
  }
  if (yChanged) {
    StoreSetting("rafta_overlay_y", overlayY);
  }
  if (xChanged || yChanged) {
    Commit();
  }
}

void Rafta::RenderStyleChoice() {
  // Lives as long as the module: the page shows what was last chosen here, whatever the console
  // or a new plugin object says.
  static int styleSelection = overlayStyle;
  ImGui::PushStyleColor(ImGuiCol_Text, kTitleGreen);
  ImGui::Text("Style d'overlay :");
  Gap();
  ImGui::PopStyleColor();
  if (ImGui::Combo("##overlay_style", &styleSelection, kStyleItems.data(),
                   static_cast<int>(kStyleItems.size()))) {
    ChooseStyle(styleSelection);
  }
}
