#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rafta::sim {

// One script line cut into words: blanks separate words, `#` outside quotes starts a comment,
// a word in double quotes may hold blanks and uses \" and \\. Throws ScriptError.
[[nodiscard]] std::vector<std::string> splitWords(std::string_view line);

}  // namespace rafta::sim
