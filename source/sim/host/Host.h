#pragma once

#include <filesystem>
#include <memory>

#include "bakkesmod/wrappers/GameWrapper.h"
#include "bakkesmod/wrappers/cvarmanagerwrapper.h"
#include "sim/base/Text.h"
#include "sim/faults/FaultInjector.h"
#include "sim/game/Game.h"
#include "sim/host/Callbacks.h"
#include "sim/host/GameQueries.h"
#include "sim/host/HostConsole.h"
#include "sim/host/Reports.h"
#include "sim/host/Scheduler.h"

namespace rafta::sim {

struct HostOptions {
  std::filesystem::path appData;
  // Empty: defaultConfigFile(appData).
  std::filesystem::path configFile;
  // Host warnings (malformed configuration lines, failed writes). Empty: standard error.
  TextSink warn;
};

// The simulated mod host, over an in-memory game. The wrappers a plugin holds carry this object's
// address and reach its parts: the console, the callbacks, and the answers to game questions.
class Host {
 public:
  explicit Host(HostOptions options);
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;
  ~Host();

  // Handles to give a plugin.
  [[nodiscard]] std::shared_ptr<CVarManagerWrapper> cvarManager();
  [[nodiscard]] std::shared_ptr<GameWrapper> gameWrapper();

  [[nodiscard]] Game& game();
  // Wrong answers on purpose; disarmed at start.
  [[nodiscard]] FaultInjector& faults();
  [[nodiscard]] HostConsole& console();
  [[nodiscard]] Callbacks& callbacks();
  [[nodiscard]] GameQueries& queries();
  [[nodiscard]] Reports& reports();

  // The host's folder under the application-data folder, as GetBakkesModPath reports it.
  [[nodiscard]] const std::filesystem::path& folder() const;

  // After a plugin's unload: its variables, console commands and drawables are removed.
  void forgetPlugin();
  // The game restarts: every variable, hook, timer and drawable is forgotten and the
  // configuration file is read again.
  void forgetAll();

 private:
  std::filesystem::path folder_;
  Reports reports_;
  Game game_;
  FaultInjector faults_;
  Scheduler clock_;
  HostConsole console_;
  Callbacks callbacks_;
  GameQueries queries_;
};

}  // namespace rafta::sim
