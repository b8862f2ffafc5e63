#pragma once

#include <imgui.h>

#include "sim/canvas/Image.h"

namespace rafta::sim {

// The picture of a drawn settings page as Dear ImGui rendered it, over the whole screen of the
// settings window's context; its text comes from that context's font atlas.
[[nodiscard]] Image paintPage(const ImDrawData& page, ImFontAtlas& fonts);

}  // namespace rafta::sim
