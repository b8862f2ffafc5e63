#pragma once

#include <string>
#include <string_view>

namespace rafta::sim {

// The plugin's texts are Windows-1252 bytes. The five bytes that code page leaves undefined map
// to the control characters of the same number, as Windows converts them.
[[nodiscard]] std::string windows1252ToUtf8(std::string_view text);

// Wide text in the console's code page; a character the code page lacks becomes '?'.
[[nodiscard]] std::string wideToWindows1252(std::wstring_view text);

// The text as it may go to a terminal: well-formed UTF-8 and printable ASCII stay; control
// characters (C0, DEL, C1) and bytes that are no well-formed UTF-8 become \xNN, byte by byte.
// Backslashes stay as they are, so escaping twice changes nothing more.
[[nodiscard]] std::string printable(std::string_view text);

}  // namespace rafta::sim
