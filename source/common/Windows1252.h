#pragma once

#include <array>

namespace rafta::windows1252 {

// Unicode code points of the bytes 0x80 to 0x9F; the rest of the code page is Latin-1. The five
// bytes Windows leaves undefined map to the control character of the same number, as it does.
inline constexpr std::array<char32_t, 32> kHighControls = {
    U'\u20AC', U'\u0081', U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021',
    U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', U'\u008D', U'\u017D', U'\u008F',
    U'\u0090', U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',
    U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', U'\u009D', U'\u017E', U'\u0178'};

inline constexpr unsigned char kFirstHighControl = 0x80;

// The code point a byte stands for.
constexpr char32_t toCodePoint(unsigned char byte) {
  if (byte >= kFirstHighControl && byte < kFirstHighControl + kHighControls.size()) {
    return kHighControls[byte - kFirstHighControl];
  }
  return byte;
}

// The byte that stands for a code point, or -1 when the code page has none.
constexpr int fromCodePoint(char32_t codePoint) {
  if (codePoint < kFirstHighControl || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<int>(codePoint);
  }
  for (unsigned index = 0; index < kHighControls.size(); ++index) {
    if (kHighControls[index] == codePoint) {
      return static_cast<int>(kFirstHighControl + index);
    }
  }
  return -1;
}

}  // namespace rafta::windows1252
