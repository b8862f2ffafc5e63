#include "SimRunner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace rafta::testing {

namespace {

std::string slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string quoted(const std::string& word) {
  std::string out = "'";
  for (char c : word) {
    out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return out + "'";
}

}  // namespace

std::vector<std::string> SimRun::lines() const {
  std::vector<std::string> result;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    result.push_back(line);
  }
  return result;
}

SimWorkspace::SimWorkspace() {
  std::string pattern = (std::filesystem::temp_directory_path() / "rafta-e2e-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a scratch folder");
  }
  root = pattern;
  appdataDir = root / "appdata";
  std::filesystem::create_directories(appdataDir);
}

SimWorkspace::~SimWorkspace() {
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
}

std::filesystem::path SimWorkspace::config() const {
  return appdataDir / "bakkesmod" / "bakkesmod" / "cfg" / "config.cfg";
}

void SimWorkspace::writeConfig(const std::string& text) const {
  std::filesystem::create_directories(config().parent_path());
  std::ofstream(config(), std::ios::binary) << text;
}

std::string SimWorkspace::readConfig() const { return slurp(config()); }

SimRun SimWorkspace::play(const std::string& script,
                          const std::vector<std::string>& options) const {
  const std::filesystem::path scriptPath = root / "session.scn";
  std::ofstream(scriptPath, std::ios::binary) << script;
  const std::filesystem::path outPath = root / "stdout";
  const std::filesystem::path errPath = root / "stderr";
  std::string command = quoted(RAFTA_SIM) + " run " + quoted(scriptPath.string()) + " --appdata " +
                        quoted(appdataDir.string());
  for (const std::string& option : options) {
    command += " " + quoted(option);
  }
  command += " >" + quoted(outPath.string()) + " 2>" + quoted(errPath.string()) + " </dev/null";
  const int status = std::system(command.c_str());  // NOLINT(cert-env33-c): the tool under test
  SimRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = slurp(outPath);
  run.err = slurp(errPath);
  return run;
}

}  // namespace rafta::testing
