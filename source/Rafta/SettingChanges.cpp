// A player's changes, from the settings page or a bound command: the field, its variable and a
// commit, so that a game that exits without unloading keeps them.
#include <optional>

#include "PluginNames.h"
#include "Rafta.h"

void Rafta::ShowOverlay(bool shown) {
  settings.overlayEnabled = shown;
  StoreSetting(rafta::names::kOverlayEnabledVariable, settings.overlayEnabled ? 1 : 0);
  Commit();
}

void Rafta::ChooseStyle(int style) {
  settings.overlayStyle = style;
  StoreSetting(rafta::names::kOverlayStyleVariable, settings.overlayStyle);
  Commit();
}

void Rafta::MoveOverlay(std::optional<float> x, std::optional<float> y, bool xSlid, bool ySlid) {
  if (x) {
    settings.overlayX = *x;
  }
  if (y) {
    settings.overlayY = *y;
  }
  if (xSlid) {
    StoreSetting(rafta::names::kOverlayXVariable, settings.overlayX);
  }
  if (ySlid) {
    StoreSetting(rafta::names::kOverlayYVariable, settings.overlayY);
  }
  if (xSlid || ySlid) {
    Commit();
  }
}
