// Settings variables: the table of what the plugin registers and stores, and their registration.
#include <array>
#include <cmath>
#include <span>
#include <string>

#include "Cp1252Literals.h"
#include "LogText.h"
#include "PluginNames.h"
#include "Rafta.h"
#include "StoredVariables.h"

using namespace rafta::literals;

namespace {

constexpr bool kSaveToConfig = true;

void Register(CVarManagerWrapper& manager, const rafta::StoredVariable& variable) {
  // The handle is dropped at once: every use looks the variable up again.
  (void)manager.registerCvar(variable.name, variable.defaultValue,
                             std::string(variable.description), variable.searchable,
                             variable.min.has_value(), variable.min.value_or(0.0F),
                             variable.max.has_value(), variable.max.value_or(0.0F), kSaveToConfig);
}

}  // namespace

// In registration order, as Stored names them: the debug switch first, on its own before load's
// manager check. A member, so that each row may name the field it mirrors.
const std::array<rafta::StoredVariable, rafta::kStoredCount>& Rafta::StoredVariableTable() {
  namespace names = rafta::names;
  static const std::string styleDescription = rafta::Concat(
      "Style d'affichage de l'overlay (",
      rafta::NumberedStyles(OverlayStyles(), &rafta::OverlayStyle::nameInVariable), ")");
  static const auto table = std::to_array<rafta::StoredVariable>({
      {.name = names::kDebugVariable,
       .defaultValue = "0",
       .description = "Enable debug logs for Rafta plugin",
       .min = 0.0F,
       .max = 1.0F},
      {.name = names::kOverlayEnabledVariable,
       .defaultValue = "1",
       .description = "Affiche l'overlay Rafta",
       .field = [](const Rafta& plugin) { return plugin.settings.overlayEnabled ? 1.0 : 0.0; },
       .setField = [](Rafta& plugin,
                      double value) { plugin.settings.overlayEnabled = value != 0.0; },
       .unloadOrder = 3},
      {.name = names::kOverlayXVariable,
       .defaultValue = "100",
       .description = "Position X overlay",
       .min = 0.0F,
       .max = 1920.0F,
       .decimal = true,
       .field = [](const Rafta& plugin) { return static_cast<double>(plugin.settings.overlayX); },
       .setField = [](Rafta& plugin,
                      double value) { plugin.settings.overlayX = static_cast<float>(value); },
       .unloadOrder = 1},
      {.name = names::kOverlayYVariable,
       .defaultValue = "100",
       .description = "Position Y overlay",
       .min = 0.0F,
       .max = 1080.0F,
       .decimal = true,
       .field = [](const Rafta& plugin) { return static_cast<double>(plugin.settings.overlayY); },
       .setField = [](Rafta& plugin,
                      double value) { plugin.settings.overlayY = static_cast<float>(value); },
       .unloadOrder = 2},
      {.name = names::kOverlayStyleVariable,
       .defaultValue = "0",
       .description = styleDescription,
       .field =
           [](const Rafta& plugin) { return static_cast<double>(plugin.settings.overlayStyle); },
       .setField =
           [](Rafta& plugin, double value) {
             plugin.settings.overlayStyle = static_cast<std::int32_t>(value);
           },
       .unloadOrder = 5},
      {.name = names::kCountInFreeplayVariable,
       .defaultValue = "0",
       .description = "Compter en Freeplay ?",
       .min = 0.0F,
       .max = 1.0F},
      {.name = names::kCountInTrainingVariable,
       .defaultValue = "0",
       .description = "Compter en Entraînement ?"_cp1252,
       .min = 0.0F,
       .max = 1.0F},
      {.name = names::kCountInMatchVariable,
       .defaultValue = "1",
       .description = "Compter en Match ?",
       .min = 0.0F,
       .max = 1.0F},
      {.name = names::kTotalVariable,
       .defaultValue = "0",
       .description = "Compteur total de touches Rafta",
       .field =
           [](const Rafta& plugin) { return static_cast<double>(plugin.counters.totalHitCount); },
       .setField =
           [](Rafta& plugin, double value) {
             plugin.counters.totalHitCount = static_cast<std::int32_t>(value);
           },
       .unloadOrder = 4},
      // Bookkeeping for which store is the newer: not offered to a player typing at the console.
      {.name = names::kSavesVariable,
       .defaultValue = "0",
       .description = "Enregistrements des valeurs Rafta (ne pas modifier)",
       .searchable = false,
       .count = true},
      {.name = names::kResetsVariable,
       .defaultValue = "0",
       .description = "Remises à zéro du total Rafta (ne pas modifier)"_cp1252,
       .searchable = false,
       .count = true},
  });
  return table;
}

const std::array<rafta::StoredVariable, rafta::kStoredCount>& rafta::StoredVariables() {
  return Rafta::StoredVariableTable();
}

const rafta::StoredVariable& rafta::StoredVariableOf(Stored row) {
  return StoredVariables().at(IndexOf(row));
}

bool rafta::IsSound(const StoredVariable& variable, double value) {
  if (!std::isfinite(value)) {
    return false;
  }
  return !variable.count || (value >= 0.0 && value < kMostCount && value == std::trunc(value));
}

void Rafta::RegisterDebugVariable() {
  Register(*cvarManager, rafta::StoredVariableOf(rafta::Stored::Debug));
}

void Rafta::RegisterSettingsVariables() {
  for (const rafta::StoredVariable& variable : std::span(StoredVariableTable()).subspan(1)) {
    Register(*cvarManager, variable);
  }
}
