// A player's changes, from the settings page or a bound command: the field, its variable and a
// commit, so that a game that exits without unloading keeps them.
#include <optional>

#include "Rafta.h"
#include "StoredVariables.h"

// The session's count is the object's own: nothing stores it.
void Rafta::ResetSession() { counters.sessionHitCount = 0; }

void Rafta::ShowOverlay(bool shown) {
  StoreChange({}, [this, shown] { Store(rafta::Stored::OverlayEnabled, shown ? 1 : 0); });
}

void Rafta::ChooseStyle(int style) {
  StoreChange({}, [this, style] { Store(rafta::Stored::OverlayStyle, style); });
}

void Rafta::MoveOverlay(std::optional<float> x, std::optional<float> y, bool xSlid, bool ySlid,
                        bool dragEnded) {
  if (x) {
    settings.overlayX = *x;
  }
  if (y) {
    settings.overlayY = *y;
  }
  const bool slid = xSlid || ySlid;
  if (!slid && !dragEnded) {
    return;
  }
  // The host's configuration at every step of a drag; the copy once, when the drag ends.
  StoreChange({.host = slid, .copy = dragEnded}, [&] {
    if (xSlid) {
      Store(rafta::Stored::OverlayX, settings.overlayX);
    }
    if (ySlid) {
      Store(rafta::Stored::OverlayY, settings.overlayY);
    }
  });
}
