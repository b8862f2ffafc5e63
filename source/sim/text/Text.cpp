#include "sim/text/Text.h"

#include <algorithm>
#include <cstddef>
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

// The length of the well-formed UTF-8 sequence at text[at], or 0 when none starts there
// (overlong forms, surrogates and code points past U+10FFFF are not well-formed).
std::size_t sequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  const auto lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (at + length > text.size() || byte(1) < low || byte(1) > high) {
    return 0;
  }
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) {
      return 0;
    }
  }
  return length;
}

void appendEscape(std::string& out, unsigned char byte) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  out += "\\x";
  out += kDigits[byte >> 4U];
  out += kDigits[byte & 0xFU];
}

// Shows nothing on a terminal, so that a line holding one would read as one without it.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::string printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte >= 0x20 && byte < 0x7F) {
      out += text[at++];
      continue;
    }
    const auto length = byte >= 0x80 ? sequenceLength(text, at) : 0;
    // U+0080..U+009F, the C1 controls, are the only two-byte sequences that start with C2 80..9F.
    const bool control =
        length == 0 || (byte == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0);
    if (control || text.substr(at, length) == kByteOrderMark) {
      for (std::size_t i = 0; i < std::max<std::size_t>(length, 1); ++i) {
        appendEscape(out, static_cast<unsigned char>(text[at + i]));
      }
      at += std::max<std::size_t>(length, 1);
    } else {
      out.append(text.substr(at, length));
      at += length;
    }
  }
  return out;
}

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

std::optional<std::string> readQuoted(std::string_view text, std::size_t& pos) {
  std::string out;
  for (std::size_t i = pos + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      pos = i + 1;
      return out;
    }
    if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) {
      ++i;
    }
    out += text[i];
  }
  return std::nullopt;
}

std::string quote(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
    }
    out += c;
  }
  return out + '"';
}

}  // namespace rafta::sim
