#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rafta::sim {

// Double-quoted text as scripts and the configuration file write it: \" and \\ stand for a quote
// and a backslash; any other backslash is kept as it is.

// Reads the quoted text that starts at text[pos] (a quote) and moves pos past the closing quote.
// Empty when the closing quote is missing.
[[nodiscard]] std::optional<std::string> readQuoted(std::string_view text, std::size_t& pos);

[[nodiscard]] std::string quote(std::string_view text);

}  // namespace rafta::sim
