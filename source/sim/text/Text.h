#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace rafta::sim {

// Where the host sends lines of text: a console, a test's record. Empty: a default of the sender's.
using TextSink = std::function<void(const std::string&)>;

// The plugin's texts are Windows-1252 bytes. The five bytes that code page leaves undefined map
// to the control characters of the same number, as Windows converts them.
[[nodiscard]] std::string windows1252ToUtf8(std::string_view text);

// Wide text in the console's code page; a character the code page lacks becomes '?'.
[[nodiscard]] std::string wideToWindows1252(std::wstring_view text);

// The text as it may go to a terminal: well-formed UTF-8 and printable ASCII stay; control
// characters (C0, DEL, C1), the invisible byte-order mark U+FEFF and bytes that are no well-formed
// UTF-8 become \xNN, byte by byte.
// Backslashes stay as they are, so escaping twice changes nothing more.
[[nodiscard]] std::string printable(std::string_view text);

// Double-quoted text as scripts and the configuration file write it: \" and \\ stand for a quote
// and a backslash; any other backslash is kept as it is.

// Reads the quoted text that starts at text[pos] (a quote) and moves pos past the closing quote.
// Empty when the closing quote is missing.
[[nodiscard]] std::optional<std::string> readQuoted(std::string_view text, std::size_t& pos);

[[nodiscard]] std::string quote(std::string_view text);

}  // namespace rafta::sim
