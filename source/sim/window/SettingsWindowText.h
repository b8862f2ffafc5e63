#pragma once

#include <string>
#include <vector>

#include <imgui.h>
#include <imgui_internal.h>

namespace rafta::sim {

// A line of text as Dear ImGui drew it, and the box of its glyphs.
struct DrawnText {
  std::string text;
  ImRect box;
};

// Reads back the text that a draw list shows inside an area, from the font's glyphs: one entry per
// line, top to bottom. Lines start at the area's left edge, so blanks before the first glyph count;
// blanks are measured in the font's space advance.
[[nodiscard]] std::vector<DrawnText> drawnTexts(const ImDrawList& list, const ImFont& font,
                                                const ImRect& area);

}  // namespace rafta::sim
