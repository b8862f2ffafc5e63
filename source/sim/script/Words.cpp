#include "sim/script/Script.h"

#include "sim/base/Errors.h"
#include "sim/base/Text.h"

namespace rafta::sim {
namespace {

constexpr std::string_view kBlanks = " \t\r";

bool endsWord(std::string_view line, std::size_t pos) {
  return pos == line.size() || kBlanks.find(line[pos]) != std::string_view::npos ||
         line[pos] == '#';
}

std::string quotedWord(std::string_view line, std::size_t& pos) {
  auto word = readQuoted(line, pos);
  if (!word) {
    throw ScriptError("unterminated quoted word");
  }
  if (!endsWord(line, pos)) {
    throw ScriptError("a closing quote must end its word");
  }
  return *word;
}

std::string plainWord(std::string_view line, std::size_t& pos) {
  const auto start = pos;
  while (!endsWord(line, pos)) {
    if (line[pos] == '"') {
      throw ScriptError("a quote may only open a word");
    }
    ++pos;
  }
  return std::string(line.substr(start, pos - start));
}

}  // namespace

std::vector<std::string> splitWords(std::string_view line) {
  std::vector<std::string> words;
  std::size_t pos = 0;
  while (true) {
    pos = line.find_first_not_of(kBlanks, pos);
    if (pos == std::string_view::npos || line[pos] == '#') {
      return words;
    }
    words.push_back(line[pos] == '"' ? quotedWord(line, pos) : plainWord(line, pos));
  }
}

}  // namespace rafta::sim
