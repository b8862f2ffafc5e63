// The plugin's lines in the host console, and the switch that adds the debug ones.
#include <string>
#include <string_view>

#include "LogText.h"
#include "PluginNames.h"
#include "Rafta.h"

void Rafta::Log(std::string_view text) const { cvarManager->log(std::string(text)); }

// A switch the host does not have is off.
bool Rafta::IsDebugEnabled() const {
  return ReadSetting<bool>(rafta::names::kDebugVariable).value_or(false);
}

void Rafta::LogOverlayPosition() const {
  Log("Sauvegarde overlayX: " + rafta::Fixed6(settings.overlayX) +
      " overlayY: " + rafta::Fixed6(settings.overlayY));
}
