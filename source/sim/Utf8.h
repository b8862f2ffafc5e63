#pragma once

#include <string>
#include <string_view>

namespace rafta::sim {

// The plugin's texts are Windows-1252 bytes. The five bytes that code page leaves undefined map
// to the control characters of the same number, as Windows converts them.
[[nodiscard]] std::string windows1252ToUtf8(std::string_view text);

// Wide text in the console's code page; a character the code page lacks becomes '?'.
[[nodiscard]] std::string wideToWindows1252(std::wstring_view text);

}  // namespace rafta::sim
