// Console commands that a player binds to keys: the overlay switch, the style and the counter
// resets, each with the effect of the settings page's control and one line saying what it did.
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Cp1252Literals.h"
#include "LogText.h"
#include "PluginNames.h"
#include "Rafta.h"

using namespace rafta::literals;

namespace {

// The style a word names: a style's number, or "next" after the current one; -1 for anything else.
int StyleNamed(std::string_view word, int current, int count) {
  if (word == "next") {
    // An out-of-range style is drawn as the first one.
    const int shown = current >= 0 && current < count ? current : 0;
    return (shown + 1) % count;
  }
  if (word.size() == 1 && word[0] >= '0' && word[0] < '0' + count) {
    return word[0] - '0';
  }
  return -1;
}

// "0 à 4": the style numbers a player may type.
std::string StyleNumbers(std::span<const rafta::OverlayStyle> styles) {
  return rafta::Concat("0 à "_cp1252, std::to_string(styles.size() - 1));
}

}  // namespace

std::span<const Rafta::CommandDefinition> Rafta::Commands() {
  static const std::string styleHelp =
      rafta::Concat("Style de l'overlay Rafta : rafta_style ", StyleNumbers(OverlayStyles()), " (",
                    rafta::NumberedStyles(OverlayStyles(), &rafta::OverlayStyle::name),
                    ") ou rafta_style next pour le suivant");
  static const std::array<CommandDefinition, 4> kCommands = {{
      {rafta::names::kToggleOverlayCommand, "Affiche ou masque l'overlay Rafta",
       &Rafta::onToggleOverlayCommand},
      {rafta::names::kStyleCommand, styleHelp, &Rafta::onStyleCommand},
      {rafta::names::kResetSessionCommand, "Remet à zéro le compteur de session Rafta"_cp1252,
       &Rafta::onResetSessionCommand},
      {rafta::names::kResetTotalCommand,
       "Remet à zéro le compteur total Rafta : rafta_reset_total confirm"_cp1252,
       &Rafta::onResetTotalCommand},
  }};
  return kCommands;
}

void Rafta::RegisterCommands() {
  for (const CommandDefinition& command : Commands()) {
    // Which thread the console runs a command on is the host's: whichever it is, the command acts
    // on the game thread, one at a time with the hits and the commits.
    cvarManager->registerNotifier(
        command.name,
        WhileAlive<std::vector<std::string>>(
            [this, handler = command.handler](std::vector<std::string> words) {
              OnGameThread([this, handler, words = std::move(words)]() mutable {
                (this->*handler)(std::move(words));
              });
            }),
        std::string(command.description), PERMISSION_ALL);
  }
}

void Rafta::RemoveCommands() {
  for (const CommandDefinition& command : Commands()) {
    cvarManager->removeNotifier(command.name);
  }
}

void Rafta::onToggleOverlayCommand(std::vector<std::string> /*words*/) {
  ShowOverlay(!settings.overlayEnabled);
  Log(settings.overlayEnabled ? "Overlay Rafta affiché"_cp1252 : "Overlay Rafta masqué"_cp1252);
}

void Rafta::onStyleCommand(std::vector<std::string> words) {
  const int current =
      ReadSetting<int>(rafta::names::kOverlayStyleVariable).value_or(settings.overlayStyle);
  const int count = static_cast<int>(OverlayStyles().size());
  const int style = words.size() == 2 ? StyleNamed(words[1], current, count) : -1;
  if (style < 0) {
    Log(rafta::Concat("rafta_style : style inchangé, tapez rafta_style suivi de "_cp1252,
                      StyleNumbers(OverlayStyles()), " ou de next"));
    return;
  }
  ChooseStyle(style);
  Log(rafta::Concat("Style d'overlay Rafta : ", std::to_string(settings.overlayStyle)));
}

void Rafta::onResetSessionCommand(std::vector<std::string> /*words*/) {
  ResetSession();
  Log("Compteur de session Rafta remis à zéro"_cp1252);
}

void Rafta::onResetTotalCommand(std::vector<std::string> words) {
  // A key pressed by mistake must never erase an all-time total.
  if (words.size() != 2 || words[1] != rafta::names::kResetTotalConfirmation) {
    Log("Compteur total Rafta inchangé : tapez rafta_reset_total confirm pour le remettre à zéro"_cp1252);
    return;
  }
  ResetTotal({});
  Log("Compteur total Rafta remis à zéro"_cp1252);
}
