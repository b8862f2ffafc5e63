#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/script/Command.h"

namespace rafta::sim {

// The whole script, checked before anything runs. Throws ScriptError naming the line.
[[nodiscard]] std::vector<ScriptLine> parseScript(std::string_view text);

// One line's words (the first is the command). Throws ScriptError.
[[nodiscard]] Command parseCommand(const std::vector<std::string>& words);

// A game function by the short name scripts use (`OnHitBall`) or by its full name.
[[nodiscard]] std::optional<std::string> gameFunction(std::string_view name);

}  // namespace rafta::sim
