#include "Utf8.h"

#include <cstdint>

#include "Windows1252.h"

namespace rafta::sim {
namespace {

void appendUtf8(std::string& out, char32_t code) {
  const auto put = [&out](std::uint32_t bits) { out += static_cast<char>(bits); };
  const auto value = static_cast<std::uint32_t>(code);
  if (value < 0x80) {
    put(value);
  } else if (value < 0x800) {
    put(0xC0U | (value >> 6U));
    put(0x80U | (value & 0x3FU));
  } else {
    put(0xE0U | (value >> 12U));
    put(0x80U | ((value >> 6U) & 0x3FU));
    put(0x80U | (value & 0x3FU));
  }
}

}  // namespace

std::string windows1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    appendUtf8(out, windows1252::toCodePoint(static_cast<unsigned char>(c)));
  }
  return out;
}

std::string wideToWindows1252(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (const wchar_t c : text) {
    const int byte = windows1252::fromCodePoint(static_cast<char32_t>(c));
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return out;
}

}  // namespace rafta::sim
