#include "SimRunner.h"

namespace rafta::testing {

std::filesystem::path SimWorkspace::config() const {
  return appdata() / "bakkesmod" / "bakkesmod" / "cfg" / "config.cfg";
}

ProgramRun SimWorkspace::play(const std::string& script,
                              const std::vector<std::string>& options) const {
  const std::filesystem::path scriptPath = scratch.path() / "session.scn";
  writeFile(scriptPath, script);
  std::string command = shellQuoted(RAFTA_SIM) + " run " + shellQuoted(scriptPath.string()) +
                        " --appdata " + shellQuoted(appdata().string());
  for (const std::string& option : options) {
    command += " " + shellQuoted(option);
  }
  return runProgram(command, scratch.path());
}

}  // namespace rafta::testing
