// The overlay: the three counters painted over the game every frame, in one of five styles.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "Cp1252Literals.h"
#include "LogText.h"
#include "PluginNames.h"
#include "Rafta.h"
#include "StoredVariables.h"

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

std::string rafta::NumberedStyles(std::span<const OverlayStyle> styles,
                                  const char* OverlayStyle::*name) {
  std::string list;
  for (std::size_t number = 0; number < styles.size(); ++number) {
    list +=
        rafta::Concat(number == 0 ? "" : ", ", std::to_string(number), "=", styles[number].*name);
  }
  return list;
}

void Rafta::RenderOverlay(CanvasWrapper canvas) {
  if (!settings.overlayEnabled) {
    return;
  }
  // Looked up by name every frame; the names are made once, as a long one would allocate each time.
  static const std::string styleVariable = rafta::names::kOverlayStyleVariable;
  static const std::string xVariable = rafta::names::kOverlayXVariable;
  static const std::string yVariable = rafta::names::kOverlayYVariable;
  struct Place {
    std::optional<int> style;
    std::optional<float> x;
    std::optional<float> y;
  };
  const auto readPlace = [this] {
    return Place{ReadSetting<int>(styleVariable), ReadSetting<float>(xVariable),
                 ReadSetting<float>(yVariable)};
  };
  Place place = readPlace();
  // What is shown is what is stored: an older store the host executed, or a typed value that is no
  // number, is put back first. Any other typed place is the player's, and shown.
  if (place.style && place.x && place.y &&
      (SavesMoved() || !IsHeld(rafta::Stored::OverlayStyle, *place.style) ||
       !IsHeld(rafta::Stored::OverlayX, *place.x) || !IsHeld(rafta::Stored::OverlayY, *place.y))) {
    GuardStoredValues();
    place = readPlace();
  }
  // Without one of them the host lost the overlay's place: no frame rather than one made up.
  if (!place.style || !place.x || !place.y) {
    return;
  }
  settings.overlayStyle = *place.style;
  settings.overlayX = FinitePosition(*place.x);
  settings.overlayY = FinitePosition(*place.y);
  const Vector2 canvasSize = CanvasSize();
  std::string counterLine =
      rafta::Concat("Rafta hits | match: ", std::to_string(counters.matchHitCount), " | session ",
                    std::to_string(counters.sessionHitCount),
                    " | total: ", std::to_string(counters.totalHitCount));
  drawing.textSize = canvas.GetStringSize(counterLine, 1.0F, 1.0F);
  // A style no row has, typed at the console, is drawn as the first.
  const std::span<const rafta::OverlayStyle> styles = OverlayStyles();
  const std::int32_t style = settings.overlayStyle;
  const bool known = style >= 0 && static_cast<std::size_t>(style) < styles.size();
  const rafta::OverlayStyle& shown = styles[known ? static_cast<std::size_t>(style) : 0];
  rafta::OverlayFrame frame{canvas, canvasSize, std::move(counterLine)};
  (this->*shown.draw)(frame);
}

// The five styles, by number: the page's combo, the style command and the style variable's
// description are made from these rows.
std::span<const rafta::OverlayStyle> Rafta::OverlayStyles() {
  static constexpr std::array<rafta::OverlayStyle, 5> kStyles = {{
      {"Classique", "classique", &Rafta::DrawClassique},
      {"Minimaliste", "minimal", &Rafta::DrawMinimaliste},
      {"Large", "large", &Rafta::DrawLarge},
      {"Sobre", "Sobre", &Rafta::DrawSobre},
      {"Tableau", "Tableau", &Rafta::DrawTableau},
  }};
  return kStyles;
}

void Rafta::DrawClassique(rafta::OverlayFrame& frame) {
  DrawBoxed(frame.canvas, kShade, kClassiqueScale, frame.canvasSize, std::move(frame.counterLine));
}

void Rafta::DrawMinimaliste(rafta::OverlayFrame& frame) {
  DrawYellowLine(frame.canvas,
                 rafta::Concat("Rafta hits: ", std::to_string(counters.sessionHitCount)));
}

void Rafta::DrawLarge(rafta::OverlayFrame& frame) {
  DrawBoxed(frame.canvas, kBlueShade, kLargeScale, frame.canvasSize, std::move(frame.counterLine));
}

void Rafta::DrawSobre(rafta::OverlayFrame& frame) {
  DrawYellowLine(frame.canvas, std::move(frame.counterLine));
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

bool Rafta::IsGoalPictureShown() const {
  return drawing.goalImage && drawing.goalImage->IsLoadedForCanvas();
}

void Rafta::DrawBoxed(CanvasWrapper& canvas, LinearColor background, float pictureScale,
                      Vector2 canvasSize, std::string counterLine) {
  const float side = kPictureSide * pictureScale;
  const float contentHeight = std::max(side, drawing.textSize.Y);
  const float boxHeight = contentHeight + 2 * kMargin;
  const float boxWidth =
      drawing.textSize.X + 2 * kMargin + (IsGoalPictureShown() ? side + kMargin : 0.0F);
  settings.overlayX = KeepInside(settings.overlayX, static_cast<float>(canvasSize.X) - boxWidth);
  settings.overlayY = KeepInside(settings.overlayY, static_cast<float>(canvasSize.Y) - boxHeight);

  canvas.SetPosition(Vector2F{settings.overlayX, settings.overlayY});
  canvas.SetColor(background);
  canvas.FillBox(Vector2F{boxWidth, boxHeight});
  canvas.SetPosition(Vector2F{settings.overlayX, settings.overlayY});
  canvas.SetColor(kBlack);
  canvas.DrawBox(Vector2F{boxWidth, boxHeight});

  float textLeft = settings.overlayX + kMargin;
  if (IsGoalPictureShown()) {
    canvas.SetPosition(Vector2F{settings.overlayX + kMargin,
                                settings.overlayY + kMargin + (contentHeight - side) * 0.5F});
    canvas.SetColor(kWhite);
    canvas.DrawTexture(drawing.goalImage.get(), pictureScale);
    textLeft = settings.overlayX + kMargin + side + kMargin;
  } else {
    Log("Image goal.png non disponible pour le rendu");
  }
  canvas.SetPosition(Vector2F{
      textLeft, settings.overlayY + kMargin + (contentHeight - drawing.textSize.Y) * 0.5F});
  canvas.SetColor(kWhite);
  canvas.DrawString(std::move(counterLine), 1.0F, 1.0F);
}

void Rafta::DrawYellowLine(CanvasWrapper& canvas, std::string text) const {
  canvas.SetPosition(Vector2F{settings.overlayX, settings.overlayY});
  canvas.SetColor(kYellow);
  canvas.DrawString(std::move(text), 1.0F, 1.0F);
}

void Rafta::DrawTableau(rafta::OverlayFrame& frame) {
  CanvasWrapper& canvas = frame.canvas;
  const int x = PanelCoordinate(settings.overlayX);
  const int y = PanelCoordinate(settings.overlayY);
  canvas.SetColor(kShade);
  canvas.DrawRect(Vector2{x - 8, y - 8}, Vector2{x + 92, y + 73});
  canvas.SetColor(kWhite);
  canvas.SetPosition(At(x, y));
  canvas.DrawString("Rafta hits", 1.0F, 1.0F);
  canvas.DrawLine(Vector2{x, y + 15}, Vector2{x + 85, y + 15});
  canvas.SetPosition(At(x, y + 20));
  canvas.DrawString(rafta::Concat("Match: ", std::to_string(counters.matchHitCount)), 1.0F, 1.0F);
  canvas.SetPosition(At(x, y + 35));
  canvas.DrawString(rafta::Concat("Session: ", std::to_string(counters.sessionHitCount)), 1.0F,
                    1.0F);
  canvas.SetPosition(At(x, y + 50));
  canvas.DrawString(rafta::Concat("Total: ", std::to_string(counters.totalHitCount)), 1.0F, 1.0F);
}
