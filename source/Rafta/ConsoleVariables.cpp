// Settings variables: registration, applying what is stored, and saving to the host's
// configuration and to the plugin's own copy.
#include <array>
#include <charconv>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Counters.h"
#include "Cp1252Literals.h"
#include "LogText.h"
#include "PluginNames.h"
#include "Rafta.h"
#include "SavedCopy.h"

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
  bool decimal;  // read and kept as a float; the others as whole numbers
};

// In registration order: the debug switch first, on its own before load's manager check.
constexpr std::array<VariableDefinition, 9> kVariables = {{
    {rafta::names::kDebugVariable, "0", "Enable debug logs for Rafta plugin", true, 0.0F, true,
     1.0F, false},
    {rafta::names::kOverlayEnabledVariable, "1", "Affiche l'overlay Rafta", false, 0.0F, false,
     0.0F, false},
    {rafta::names::kOverlayXVariable, "100", "Position X overlay", true, 0.0F, true, 1920.0F, true},
    {rafta::names::kOverlayYVariable, "100", "Position Y overlay", true, 0.0F, true, 1080.0F, true},
    {rafta::names::kOverlayStyleVariable, "0",
     "Style d'affichage de l'overlay (0=classique, 1=minimal, 2=large, 3=Sobre, 4=Tableau)", false,
     0.0F, false, 0.0F, false},
    {rafta::names::kCountInFreeplayVariable, "0", "Compter en Freeplay ?", true, 0.0F, true, 1.0F,
     false},
    {rafta::names::kCountInTrainingVariable, "0", "Compter en Entraînement ?"_cp1252, true, 0.0F,
     true, 1.0F, false},
    {rafta::names::kCountInMatchVariable, "1", "Compter en Match ?", true, 0.0F, true, 1.0F, false},
    {rafta::names::kTotalVariable, "0", "Compteur total de touches Rafta", false, 0.0F, false, 0.0F,
     false},
}};

constexpr std::array<std::string_view, kVariables.size()> kVariableNames = [] {
  std::array<std::string_view, kVariables.size()> names{};
  for (std::size_t i = 0; i < kVariables.size(); ++i) {
    names[i] = kVariables[i].name;
  }
  return names;
}();

constexpr bool kSearchable = true;
constexpr bool kSaveToConfig = true;

void Register(CVarManagerWrapper& manager, const VariableDefinition& variable) {
  // The handle is dropped at once: every use looks the variable up again.
  (void)manager.registerCvar(variable.name, variable.defaultValue,
                             std::string(variable.description), kSearchable, variable.hasMin,
                             variable.min, variable.hasMax, variable.max, kSaveToConfig);
}

// The shortest text that reads back as the same float.
std::string ShortestText(float value) {
  std::array<char, 32> text{};
  const char* const end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
  return {text.data(), static_cast<std::size_t>(end - text.data())};
}

// The variable's value as the saved copy keeps it; nothing when the host has no such variable.
std::optional<std::string> SavedText(CVarManagerWrapper& manager,
                                     const VariableDefinition& variable) {
  CVarWrapper found = manager.getCvar(variable.name);
  if (found.IsNull()) {
    return std::nullopt;
  }
  return variable.decimal ? ShortestText(found.getFloatValue())
                          : std::to_string(found.getIntValue());
}

}  // namespace

void Rafta::RegisterDebugVariable() { Register(*cvarManager, kVariables.front()); }

void Rafta::RegisterSettingsVariables() {
  for (const VariableDefinition& variable : std::span(kVariables).subspan(1)) {
    Register(*cvarManager, variable);
  }
}

std::filesystem::path Rafta::SavedCopyPath() const {
  return gameWrapper->GetBakkesModPath() / "cfg" / "rafta.cfg";
}

// Registered variables hold their defaults, whatever is stored: on a game start the host executes
// its configuration only after load, and a load after an unload gets nothing from it.
void Rafta::ApplyStoredValues() {
  const std::filesystem::path copy = SavedCopyPath();
  switch (rafta::InspectSavedCopy(copy, kVariableNames)) {
    case rafta::SavedCopyState::Sound:
      cvarManager->loadCfg(copy.string());
      return;
    case rafta::SavedCopyState::Missing:  // the first start that keeps a copy
      break;
    case rafta::SavedCopyState::Damaged:
      // Applying part of it could lower what is stored; the next commit writes it whole again.
      Log(rafta::Concat("Erreur : "_cp1252, copy.string(),
                        " est endommagé, les valeurs de config.cfg sont gardées"_cp1252));
      break;
  }
  cvarManager->executeCommand("exec config.cfg", false);
}

void Rafta::WriteSavedCopy() {
  const std::filesystem::path copy = SavedCopyPath();
  std::vector<rafta::SavedValue> values;
  for (const VariableDefinition& variable : kVariables) {
    std::optional<std::string> text = SavedText(*cvarManager, variable);
    if (!text) {
      // A copy without every variable would read as damaged; the last one is now older than
      // config.cfg, and applied at the next load it would undo this commit.
      rafta::DiscardSavedCopy(copy);
      return;
    }
    values.push_back({variable.name, std::move(*text)});
  }
  const bool written = rafta::WriteSavedCopy(copy, values);
  // Once for each run of failures, not at every hit.
  if (!written && !storage.savedCopyUnwritable) {
    Log(rafta::Concat("Erreur : impossible d'écrire "_cp1252, copy.string(),
                      ", seul config.cfg garde les valeurs"_cp1252));
  }
  storage.savedCopyUnwritable = !written;
}

void Rafta::SaveSettings() {
  StoreSetting(rafta::names::kOverlayXVariable, settings.overlayX);
  StoreSetting(rafta::names::kOverlayYVariable, settings.overlayY);
  StoreSetting(rafta::names::kOverlayEnabledVariable, settings.overlayEnabled ? 1 : 0);
  // A total whose stored value was never found would be only what was counted since load.
  if (storage.storedTotal == StoredTotal::Read) {
    StoreSetting(rafta::names::kTotalVariable, counters.totalHitCount);
  }
  StoreSetting(rafta::names::kOverlayStyleVariable, settings.overlayStyle);
  LogOverlayPosition();
  Commit();
  Log("Commande writeconfig exécutée"_cp1252);
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

void Rafta::Commit() {
  cvarManager->executeCommand("writeconfig", true);
  WriteSavedCopy();
}
