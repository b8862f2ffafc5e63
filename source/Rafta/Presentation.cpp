// Presentation: the overlay painted every frame and the settings page.
#include <string>

#include "Rafta.h"

void Rafta::RenderOverlay(CanvasWrapper /*canvas*/) {}

void Rafta::RenderSettings() {}

std::string Rafta::GetPluginName() { return "Rafta"; }

void Rafta::SetImGuiContext(std::uintptr_t /*context*/) {}
