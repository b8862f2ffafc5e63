#pragma once

#include <stdexcept>
#include <string>

namespace rafta::sim {

// rafta-sim's exit status.
enum class ExitCode {
  Ok = 0,
  ExpectFailed = 1,
  BadScript = 2,
  ModuleError = 3,
  HostIoFailed = 4,
  GameCrash = 5
};

// Stops a run with its exit status. `line` is the script line, 0 when none applies; whoever
// knows the line fills it in on the way out.
class RunError : public std::runtime_error {
 public:
  RunError(ExitCode code, const std::string& message) : std::runtime_error(message), code_(code) {}

  [[nodiscard]] ExitCode code() const { return code_; }
  [[nodiscard]] int line() const { return line_; }
  void setLine(int line) { line_ = line; }

 private:
  ExitCode code_;
  int line_ = 0;
};

// The script or the command line is malformed, or asks for something impossible.
struct ScriptError : RunError {
  explicit ScriptError(const std::string& message) : RunError(ExitCode::BadScript, message) {}
};

// An expect check did not hold.
struct ExpectFailure : RunError {
  explicit ExpectFailure(const std::string& message) : RunError(ExitCode::ExpectFailed, message) {}
};

// The plugin module cannot be loaded or lacks its exports.
struct ModuleError : RunError {
  explicit ModuleError(const std::string& message) : RunError(ExitCode::ModuleError, message) {}
};

// The plugin made a call that would crash the real game: through a null handle, or a question put
// to an object that cannot answer it. The message names the call and what it was made on.
struct GameCrash : RunError {
  explicit GameCrash(const std::string& message) : RunError(ExitCode::GameCrash, message) {}
};

}  // namespace rafta::sim
