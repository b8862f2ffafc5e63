// Settings variables: the table of what the plugin registers, and their registration.
#include <array>
#include <cmath>
#include <span>
#include <string>

#include "Cp1252Literals.h"
#include "PluginNames.h"
#include "Rafta.h"
#include "StoredVariables.h"

using namespace rafta::literals;

namespace rafta {
namespace {

// In registration order, as Stored names them: the debug switch first, on its own before load's
// manager check.
constexpr std::array<StoredVariable, kStoredCount> kVariables = {{
    {names::kDebugVariable, "0", "Enable debug logs for Rafta plugin", true, true, 0.0F, true, 1.0F,
     false, false},
    {names::kOverlayEnabledVariable, "1", "Affiche l'overlay Rafta", true, false, 0.0F, false, 0.0F,
     false, false},
    {names::kOverlayXVariable, "100", "Position X overlay", true, true, 0.0F, true, 1920.0F, true,
     false},
    {names::kOverlayYVariable, "100", "Position Y overlay", true, true, 0.0F, true, 1080.0F, true,
     false},
    {names::kOverlayStyleVariable, "0",
     "Style d'affichage de l'overlay (0=classique, 1=minimal, 2=large, 3=Sobre, 4=Tableau)", true,
     false, 0.0F, false, 0.0F, false, false},
    {names::kCountInFreeplayVariable, "0", "Compter en Freeplay ?", true, true, 0.0F, true, 1.0F,
     false, false},
    {names::kCountInTrainingVariable, "0", "Compter en Entraînement ?"_cp1252, true, true, 0.0F,
     true, 1.0F, false, false},
    {names::kCountInMatchVariable, "1", "Compter en Match ?", true, true, 0.0F, true, 1.0F, false,
     false},
    {names::kTotalVariable, "0", "Compteur total de touches Rafta", true, false, 0.0F, false, 0.0F,
     false, false},
    // Bookkeeping for which store is the newer: not offered to a player typing at the console.
    {names::kSavesVariable, "0", "Enregistrements des valeurs Rafta (ne pas modifier)", false,
     false, 0.0F, false, 0.0F, false, true},
    {names::kResetsVariable, "0", "Remises à zéro du total Rafta (ne pas modifier)"_cp1252, false,
     false, 0.0F, false, 0.0F, false, true},
}};

constexpr bool kSaveToConfig = true;

void Register(CVarManagerWrapper& manager, const StoredVariable& variable) {
  // The handle is dropped at once: every use looks the variable up again.
  (void)manager.registerCvar(
      variable.name, variable.defaultValue, std::string(variable.description), variable.searchable,
      variable.hasMin, variable.min, variable.hasMax, variable.max, kSaveToConfig);
}

}  // namespace

const std::array<StoredVariable, kStoredCount>& StoredVariables() { return kVariables; }

const StoredVariable& StoredVariableOf(Stored row) { return kVariables.at(IndexOf(row)); }

bool IsSound(const StoredVariable& variable, double value) {
  if (!std::isfinite(value)) {
    return false;
  }
  return !variable.count || (value >= 0.0 && value < kMostCount && value == std::trunc(value));
}

}  // namespace rafta

void Rafta::RegisterDebugVariable() {
  rafta::Register(*cvarManager, rafta::StoredVariableOf(rafta::Stored::Debug));
}

void Rafta::RegisterSettingsVariables() {
  for (const rafta::StoredVariable& variable : std::span(rafta::StoredVariables()).subspan(1)) {
    rafta::Register(*cvarManager, variable);
  }
}
