#include "sim/base/Quoted.h"

namespace rafta::sim {

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
