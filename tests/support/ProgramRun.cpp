#include "ProgramRun.h"

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "ScratchFolder.h"

namespace rafta::testing {

std::vector<std::string> ProgramRun::outLines() const {
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

ProgramRun runProgram(const std::string& command, const std::filesystem::path& scratch) {
  const std::filesystem::path outFile = scratch / "stdout";
  const std::filesystem::path errFile = scratch / "stderr";
  const std::string redirected = command + " >" + shellQuoted(outFile.string()) + " 2>" +
                                 shellQuoted(errFile.string()) + " </dev/null";
  const int status =
      std::system(redirected.c_str());  // NOLINT(cert-env33-c): the program under test
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(outFile), readFile(errFile)};
}

std::string shellQuoted(const std::string& word) {
  std::string quoted = "'";
  for (const char c : word) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

}  // namespace rafta::testing
