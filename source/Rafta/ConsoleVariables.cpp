// Settings variables: registration, the delayed read of the stored total, and saving.
#include <array>
#include <cstdlib>
#include <string>
#include <string_view>

#include "Counters.h"
#include "Cp1252.h"
#include "Rafta.h"
#include "Text.h"

using namespace rafta::literals;

namespace {

struct VariableDefinition {
  const char* name;
  const char* defaultValue;
  std::string_view description;
  bool hasMin;
  float min;
  bool hasMax;
  float max;
};

constexpr VariableDefinition kDebugVariable = {
    "rafta_debug", "0", "Enable debug logs for Rafta plugin", true, 0.0F, true, 1.0F};

// In registration order.
constexpr std::array<VariableDefinition, 8> kSettingsVariables = {{
    {"rafta_overlay_enabled", "1", "Affiche l'overlay Rafta", false, 0.0F, false, 0.0F},
    {"rafta_overlay_x", "100", "Position X overlay", true, 0.0F, true, 1920.0F},
    {"rafta_overlay_y", "100", "Position Y overlay", true, 0.0F, true, 1080.0F},
    {"rafta_overlay_style", "0",
     "Style d'affichage de l'overlay (0=classique, 1=minimal, 2=large, 3=Sobre, 4=Tableau)", false,
     0.0F, false, 0.0F},
    {"rafta_count_in_freeplay", "0", "Compter en Freeplay ?", true, 0.0F, true, 1.0F},
    {"rafta_count_in_training", "0", "Compter en Entraînement ?"_cp1252, true, 0.0F, true, 1.0F},
    {"rafta_count_in_match", "1", "Compter en Match ?", true, 0.0F, true, 1.0F},
    {"rafta_total_hit_count", "0", "Compteur total de touches Rafta", false, 0.0F, false, 0.0F},
}};

constexpr bool kSearchable = true;
constexpr bool kSaveToConfig = true;
constexpr float kStoredTotalDelaySeconds = 1.0F;

// A setting's registration default, as the number the host reads from it.
double DefaultOf(std::string_view name) {
  for (const VariableDefinition& variable : kSettingsVariables) {
    if (name == variable.name) {
      return std::strtod(variable.defaultValue, nullptr);
    }
  }
  return 0.0;
}

void Register(CVarManagerWrapper& manager, const VariableDefinition& variable) {
  // The handle is dropped at once: every use looks the variable up again.
  (void)manager.registerCvar(variable.name, variable.defaultValue,
                             std::string(variable.description), kSearchable, variable.hasMin,
                             variable.min, variable.hasMax, variable.max, kSaveToConfig);
}

}  // namespace

void Rafta::RegisterDebugVariable() { Register(*cvarManager, kDebugVariable); }

void Rafta::RegisterSettingsVariables() {
  for (const VariableDefinition& variable : kSettingsVariables) {
    Register(*cvarManager, variable);
  }
}

void Rafta::ScheduleStoredTotalRead() {
  gameWrapper->SetTimeout(WhileAlive<GameWrapper*>([this](GameWrapper* /*game*/) {
                            if (storedTotal != StoredTotal::Read) {
                              ReadStoredTotal();
                            }
                          }),
                          kStoredTotalDelaySeconds);
}

void Rafta::ReadStoredTotal() {
  CVarWrapper stored = cvarManager->getCvar("rafta_total_hit_count");
  if (stored.IsNull()) {
    storedTotal = StoredTotal::Missing;
    Log("Erreur : rafta_total_hit_count est toujours nul après délai."_cp1252);
    return;
  }
  storedTotal = StoredTotal::Read;
  const std::int32_t countedSinceLoad = totalHitCount;
  totalHitCount = rafta::SaturatingAdd(stored.getIntValue(), countedSinceLoad);
  Log(rafta::Concat("rafta_total_hit_count chargé avec valeur différée : "_cp1252,
                    std::to_string(totalHitCount)));
  if (countedSinceLoad != 0) {
    stored.setValue(totalHitCount);
    Commit();
  }
}

void Rafta::SaveSettings() {
  StoreSetting("rafta_overlay_x", overlayX);
  StoreSetting("rafta_overlay_y", overlayY);
  StoreSetting("rafta_overlay_enabled", overlayEnabled ? 1 : 0);
  // A total whose stored value was never found would be only what was counted since load.
  if (storedTotal == StoredTotal::Read) {
    StoreSetting("rafta_total_hit_count", totalHitCount);
  }
  StoreSetting("rafta_overlay_style", overlayStyle);
  LogOverlayPosition();
  Commit();
  Log("Commande writeconfig exécutée"_cp1252);
}

bool Rafta::SavesOnlyDefaults() const {
  return overlayX == DefaultOf("rafta_overlay_x") && overlayY == DefaultOf("rafta_overlay_y") &&
         (overlayEnabled ? 1.0 : 0.0) == DefaultOf("rafta_overlay_enabled") &&
         totalHitCount == DefaultOf("rafta_total_hit_count") &&
         overlayStyle == DefaultOf("rafta_overlay_style");
}

void Rafta::LogOverlayPosition() const {
  Log("Sauvegarde overlayX: " + rafta::Fixed6(overlayX) + " overlayY: " + rafta::Fixed6(overlayY));
}

void Rafta::StoreSetting(const char* name, int value) const {
  CVarWrapper variable = cvarManager->getCvar(name);
  if (!variable.IsNull()) {
    variable.setValue(value);
  }
}

void Rafta::StoreSetting(const char* name, float value) const {
  CVarWrapper variable = cvarManager->getCvar(name);
  if (!variable.IsNull()) {
    variable.setValue(value);
  }
}

bool Rafta::IsDebugEnabled() const { return cvarManager->getCvar("rafta_debug").getBoolValue(); }

void Rafta::Commit() { cvarManager->executeCommand("writeconfig", true); }
