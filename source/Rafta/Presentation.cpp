// Presentation: the overlay painted every frame and the settings page.
#include <imgui.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "Cp1252.h"
#include "Rafta.h"
#include "Text.h"

using namespace rafta::literals;

namespace {

// The host's colour has no constant constructor. NOLINTBEGIN(cert-err58-cpp): plain floats
const LinearColor kYellow{255.0F, 255.0F, 0.0F, 255.0F};
const LinearColor kWhite{255.0F, 255.0F, 255.0F, 255.0F};
const LinearColor kBlack{0.0F, 0.0F, 0.0F, 255.0F};
const LinearColor kShade{0.0F, 0.0F, 0.0F, 150.0F};
const LinearColor kBlueShade{20.0F, 20.0F, 60.0F, 200.0F};
// NOLINTEND(cert-err58-cpp)

constexpr Vector2 kFallbackCanvas{1920, 1080};
// The layouts treat the goal picture as a 64 x 64 square drawn at their scale.
constexpr float kPictureSide = 64.0F;
constexpr float kMargin = 5.0F;

constexpr float kClassiqueScale = 0.5F;
constexpr float kLargeScale = 1.0F;

enum OverlayStyle : std::int32_t { kMinimaliste = 1, kLargeStyle = 2, kSobre = 3, kTableau = 4 };

// One error line per unbroken run of frames with an unusable screen size.
bool canvasSizeErrorLogged = false;

// A position typed at the console may be anything; what no screen has counts as the origin.
float FinitePosition(float position) { return std::isfinite(position) ? position : 0.0F; }

// Largest first: a box wider than the canvas has a negative maximum, and then sits at 0.
float KeepInside(float position, float maximum) {
  if (position > maximum) {
    return maximum;
  }
  return position < 0.0F ? 0.0F : position;
}

// Truncates toward zero, keeping every point of the panel (x - 8 to x + 92) an int. Clamped in
// double, which holds every int exactly.
int PanelCoordinate(float position) {
  constexpr double kLowest = std::numeric_limits<int>::min() + 8;
  constexpr double kHighest = std::numeric_limits<int>::max() - 92;
  return static_cast<int>(std::clamp(static_cast<double>(position), kLowest, kHighest));
}

Vector2F At(int x, int y) { return {static_cast<float>(x), static_cast<float>(y)}; }

}  // namespace

void Rafta::RenderOverlay(CanvasWrapper canvas) {
  if (!overlayEnabled) {
    return;
  }
  // Looked up by name every frame; the names are made once, as a long one would allocate each time.
  static const std::string styleVariable = "rafta_overlay_style";
  static const std::string xVariable = "rafta_overlay_x";
  static const std::string yVariable = "rafta_overlay_y";
  overlayStyle = cvarManager->getCvar(styleVariable).getIntValue();
  overlayX = FinitePosition(cvarManager->getCvar(xVariable).getFloatValue());
  overlayY = FinitePosition(cvarManager->getCvar(yVariable).getFloatValue());
  const Vector2 canvasSize = CanvasSize();
  const std::string counterLine =
      rafta::Concat("Rafta hits | match: ", std::to_string(matchHitCount), " | session ",
                    std::to_string(sessionHitCount), " | total: ", std::to_string(totalHitCount));
  textSize = canvas.GetStringSize(counterLine, 1.0F, 1.0F);
  switch (overlayStyle) {
    case kMinimaliste:
      DrawYellowLine(canvas, rafta::Concat("Rafta hits: ", std::to_string(sessionHitCount)));
      break;
    case kLargeStyle:
      DrawBoxed(canvas, kBlueShade, kLargeScale, canvasSize, counterLine);
      break;
    case kSobre:
      DrawYellowLine(canvas, counterLine);
      break;
    case kTableau:
      DrawTableau(canvas);
      break;
    default:
      DrawBoxed(canvas, kShade, kClassiqueScale, canvasSize, counterLine);
      break;
  }
}

Vector2 Rafta::CanvasSize() const {
  const Vector2 size = gameWrapper->GetScreenSize();
  if (size.X > 0 && size.Y > 0) {
    canvasSizeErrorLogged = false;
    return size;
  }
  if (!canvasSizeErrorLogged) {
    Log("[class Rafta] Erreur : canvasSize invalide, utilisation de valeurs par défaut"_cp1252);
    canvasSizeErrorLogged = true;
  }
  return kFallbackCanvas;
}

bool Rafta::IsGoalPictureShown() const { return goalImage && goalImage->IsLoadedForCanvas(); }

void Rafta::DrawBoxed(CanvasWrapper& canvas, LinearColor background, float pictureScale,
                      Vector2 canvasSize, const std::string& counterLine) {
  const float side = kPictureSide * pictureScale;
  const float contentHeight = std::max(side, textSize.Y);
  const float boxHeight = contentHeight + 2 * kMargin;
  const float boxWidth = textSize.X + 2 * kMargin + (IsGoalPictureShown() ? side + kMargin : 0.0F);
  overlayX = KeepInside(overlayX, static_cast<float>(canvasSize.X) - boxWidth);
  overlayY = KeepInside(overlayY, static_cast<float>(canvasSize.Y) - boxHeight);

  canvas.SetPosition(Vector2F{overlayX, overlayY});
  canvas.SetColor(background);
  canvas.FillBox(Vector2F{boxWidth, boxHeight});
  canvas.SetPosition(Vector2F{overlayX, overlayY});
  canvas.SetColor(kBlack);
  canvas.DrawBox(Vector2F{boxWidth, boxHeight});

  float textLeft = overlayX + kMargin;
  if (IsGoalPictureShown()) {
    canvas.SetPosition(
        Vector2F{overlayX + kMargin, overlayY + kMargin + (contentHeight - side) * 0.5F});
    canvas.SetColor(kWhite);
    canvas.DrawTexture(goalImage.get(), pictureScale);
    textLeft = overlayX + kMargin + side + kMargin;
  } else {
    Log("Image goal.png non disponible pour le rendu");
  }
  canvas.SetPosition(Vector2F{textLeft, overlayY + kMargin + (contentHeight - textSize.Y) * 0.5F});
  canvas.SetColor(kWhite);
  canvas.DrawString(counterLine, 1.0F, 1.0F);
}

void Rafta::DrawYellowLine(CanvasWrapper& canvas, const std::string& text) const {
  canvas.SetPosition(Vector2F{overlayX, overlayY});
  canvas.SetColor(kYellow);
  canvas.DrawString(text, 1.0F, 1.0F);
}

void Rafta::DrawTableau(CanvasWrapper& canvas) const {
  const int x = PanelCoordinate(overlayX);
  const int y = PanelCoordinate(overlayY);
  canvas.SetColor(kShade);
  canvas.DrawRect(Vector2{x - 8, y - 8}, Vector2{x + 92, y + 73});
  canvas.SetColor(kWhite);
  canvas.SetPosition(At(x, y));
  canvas.DrawString("Rafta hits", 1.0F, 1.0F);
  canvas.DrawLine(Vector2{x, y + 15}, Vector2{x + 85, y + 15});
  canvas.SetPosition(At(x, y + 20));
  canvas.DrawString(rafta::Concat("Match: ", std::to_string(matchHitCount)), 1.0F, 1.0F);
  canvas.SetPosition(At(x, y + 35));
  canvas.DrawString(rafta::Concat("Session: ", std::to_string(sessionHitCount)), 1.0F, 1.0F);
  canvas.SetPosition(At(x, y + 50));
  canvas.DrawString(rafta::Concat("Total: ", std::to_string(totalHitCount)), 1.0F, 1.0F);
}

// --- Settings page -----------------------------------------------------------------------------

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
    changedSinceLoad = true;
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
    changedSinceLoad = true;
    totalHitCount = 0;
    StoreSetting("rafta_total_hit_count", totalHitCount);
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
    changedSinceLoad = true;
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
    changedSinceLoad = true;
    overlayStyle = styleSelection;
    StoreSetting("rafta_overlay_style", overlayStyle);
    Commit();
  }
}
