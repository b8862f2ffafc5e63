#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/script/Commands.h"

namespace rafta::sim {

// The whole script, checked before anything runs. Throws ScriptError naming the line.
[[nodiscard]] std::vector<ScriptLine> parseScript(std::string_view text);

// One line's words (the first is the command's name). Throws ScriptError.
[[nodiscard]] ScriptCommand parseScriptCommand(const std::vector<std::string>& words);

// One script line cut into words: blanks separate words, `#` outside quotes starts a comment,
// a word in double quotes may hold blanks and uses \" and \\. Throws ScriptError.
[[nodiscard]] std::vector<std::string> splitWords(std::string_view line);

// A game function by the short name scripts use (`OnHitBall`) or by its full name.
[[nodiscard]] std::optional<std::string> gameFunction(std::string_view name);

}  // namespace rafta::sim
