#include "SimRunner.h"

namespace rafta::testing {

std::filesystem::path SimWorkspace::config() const {
  return appdata() / "bakkesmod" / "bakkesmod" / "cfg" / "config.cfg";
}

ProgramRun SimWorkspace::play(const std::string& script,
                              const std::vector<std::string>& options) const {
  const std::filesystem::path scriptPath = scratch.path() / "session.scn";
  writeFile(scriptPath, script);
  // Appended piece by piece: GCC 12 at -O3 takes `"literal" + std::string` for an overlapping
  // copy (a false -Wrestrict), which would stop a strict Release build.
  std::string command = shellQuoted(RAFTA_SIM);
  command += " run ";
  command += shellQuoted(scriptPath.string());
  command += " --appdata ";
  command += shellQuoted(appdata().string());
  for (const std::string& option : options) {
    command += ' ';
    command += shellQuoted(option);
  }
  return runProgram(command, scratch.path());
}

}  // namespace rafta::testing
