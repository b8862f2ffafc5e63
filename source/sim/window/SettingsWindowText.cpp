#include "sim/window/SettingsWindowText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>

namespace rafta::sim {
namespace {

using TexturePoint = std::pair<float, float>;

// A glyph quad begins with its top-left corner at the glyph's first texture coordinates.
std::map<TexturePoint, const ImFontGlyph*> glyphsByCorner(const ImFont& font) {
  std::map<TexturePoint, const ImFontGlyph*> glyphs;
  for (const auto& glyph : font.Glyphs) {
    if (glyph.Visible != 0U) {
      glyphs.emplace(TexturePoint{glyph.U0, glyph.V0}, &glyph);
    }
  }
  return glyphs;
}

struct PlacedGlyph {
  float pen;  // where the glyph's advance starts
  float top;  // the top of its line
  const ImFontGlyph* glyph;
};

std::vector<PlacedGlyph> glyphsIn(const ImDrawList& list, const ImFont& font, const ImRect& area) {
  const auto glyphs = glyphsByCorner(font);
  std::vector<PlacedGlyph> placed;
  const auto& vertices = list.VtxBuffer;
  for (int i = 0; i + 2 < vertices.Size; ++i) {
    const auto& corner = vertices[i];
    const auto found = glyphs.find({corner.uv.x, corner.uv.y});
    if (found == glyphs.end() || !area.Contains(corner.pos)) {
      continue;
    }
    const auto* glyph = found->second;
    const auto& opposite = vertices[i + 2];
    if (opposite.uv.x == glyph->U1 && opposite.uv.y == glyph->V1) {
      placed.push_back({corner.pos.x - glyph->X0, corner.pos.y - glyph->Y0, glyph});
    }
  }
  std::sort(placed.begin(), placed.end(), [](const PlacedGlyph& a, const PlacedGlyph& b) {
    return a.top != b.top ? a.top < b.top : a.pen < b.pen;
  });
  return placed;
}

void appendCodepoint(std::string& text, unsigned int codepoint) {
  std::array<char, 5> utf8{};
  text += ImTextCharToUtf8(utf8.data(), codepoint);
}

}  // namespace

std::vector<DrawnText> drawnTexts(const ImDrawList& list, const ImFont& font, const ImRect& area) {
  const float space = font.GetCharAdvance(' ');
  std::vector<DrawnText> lines;
  float pen = 0.0F;
  for (const auto& placed : glyphsIn(list, font, area)) {
    if (lines.empty() || placed.top != lines.back().box.Min.y) {
      lines.push_back({"", ImRect(area.Min.x, placed.top, area.Min.x, placed.top + font.FontSize)});
      pen = area.Min.x;
    }
    auto& line = lines.back();
    const auto blanks =
        static_cast<std::size_t>(std::lround(std::max(0.0F, (placed.pen - pen) / space)));
    line.text.append(blanks, ' ');
    appendCodepoint(line.text, placed.glyph->Codepoint);
    pen = placed.pen + placed.glyph->AdvanceX;
    line.box.Max.x = pen;
  }
  return lines;
}

}  // namespace rafta::sim
