#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace rafta::testing {

// A program as a user runs it from a shell, with what it printed on each stream.
struct ProgramRun {
  int status = -1;
  std::string out;
  std::string err;
  [[nodiscard]] std::vector<std::string> outLines() const;
};

// Runs `command` (a shell command line) with no input; its output is kept in `scratch`.
ProgramRun runProgram(const std::string& command, const std::filesystem::path& scratch);

// A word the shell passes on unchanged.
[[nodiscard]] std::string shellQuoted(const std::string& word);

}  // namespace rafta::testing
