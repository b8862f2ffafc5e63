#pragma once

// The plugin's texts are written in UTF-8 in the sources and handed to the host in Windows-1252.
// "déchargé"_cp1252 is converted while compiling (the helpers throw only during constant
// evaluation, so a character the code page lacks, or broken UTF-8, fails the build).

#include <array>
#include <cstddef>
#include <string_view>

#include "Windows1252.h"

namespace rafta {

template <std::size_t N>
struct Utf8Literal {
  std::array<char, N> bytes{};
  // NOLINTNEXTLINE(google-explicit-constructor,hicpp-explicit-conversions): literal operator input
  consteval Utf8Literal(const char (&text)[N]) {  // NOLINT(*-avoid-c-arrays)
    for (std::size_t index = 0; index < N; ++index) {
      bytes[index] = text[index];
    }
  }
};

namespace cp1252_detail {

struct Decoded {
  char32_t codePoint;
  std::size_t length;
};

constexpr unsigned char byteAt(std::string_view text, std::size_t index) {
  return static_cast<unsigned char>(text[index]);
}

constexpr Decoded decodeUtf8(std::string_view text, std::size_t at) {
  const unsigned char lead = byteAt(text, at);
  std::size_t length = 1;
  char32_t codePoint = lead;
  if (lead >= 0xF0) {
    length = 4;
    codePoint = lead & 0x07U;
  } else if (lead >= 0xE0) {
    length = 3;
    codePoint = lead & 0x0FU;
  } else if (lead >= 0xC0) {
    length = 2;
    codePoint = lead & 0x1FU;
  } else if (lead >= 0x80) {
    throw "stray UTF-8 continuation byte";
  }
  if (at + length > text.size()) {
    throw "truncated UTF-8 sequence";
  }
  for (std::size_t index = 1; index < length; ++index) {
    codePoint = (codePoint << 6U) | (byteAt(text, at + index) & 0x3FU);
  }
  return {codePoint, length};
}

constexpr std::size_t encodedLength(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size(); at += decodeUtf8(text, at).length) {
    ++count;
  }
  return count;
}

template <std::size_t Size>
constexpr std::array<char, Size> encode(std::string_view text) {
  std::array<char, Size> out{};
  std::size_t written = 0;
  for (std::size_t at = 0; at < text.size();) {
    const Decoded decoded = decodeUtf8(text, at);
    const int byte = windows1252::fromCodePoint(decoded.codePoint);
    if (byte < 0) {
      throw "character missing from Windows-1252";
    }
    out[written++] = static_cast<char>(byte);
    at += decoded.length;
  }
  return out;
}

template <Utf8Literal Source>
struct Encoded {
  static constexpr std::string_view utf8{Source.bytes.data(), Source.bytes.size() - 1};
  static constexpr std::array<char, encodedLength(utf8)> bytes = encode<encodedLength(utf8)>(utf8);
};

}  // namespace cp1252_detail

inline namespace literals {

template <Utf8Literal Source>
consteval std::string_view operator""_cp1252() {
  using Text = cp1252_detail::Encoded<Source>;
  return {Text::bytes.data(), Text::bytes.size()};
}

}  // namespace literals

}  // namespace rafta
