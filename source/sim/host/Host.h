#pragma once

#include <filesystem>
#include <memory>

#include "bakkesmod/wrappers/GameWrapper.h"
#include "bakkesmod/wrappers/cvarmanagerwrapper.h"
#include "sim/faults/FaultInjector.h"
#include "sim/game/Game.h"
#include "sim/host/BadCalls.h"
#include "sim/host/CallbackList.h"
#include "sim/host/ConsoleCommands.h"
#include "sim/host/Frames.h"
#include "sim/host/GameQueries.h"
#include "sim/host/Hooks.h"
#include "sim/host/HostBehaviour.h"
#include "sim/host/HostClock.h"
#include "sim/host/HostConsole.h"
#include "sim/host/Reports.h"
#include "sim/text/Text.h"

namespace rafta::sim {

struct HostOptions {
  std::filesystem::path appData;
  // Empty: defaultConfigFile(appData).
  std::filesystem::path configFile;
  // Host warnings (malformed configuration lines, failed writes). Empty: standard error.
  TextSink warn;
};

// The simulated mod host, over an in-memory game: it holds the host's parts, and callers use each
// part directly; only what spans parts is an operation of its own. The wrappers a plugin holds
// carry this object's address and reach the parts the same way.
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
  // How the host behaves where the real one is only partly known; read by the parts it concerns.
  [[nodiscard]] HostBehaviour& behaviour();
  // Wrong answers on purpose, as behaviour().faults plans them; none at start.
  [[nodiscard]] FaultInjector& faults();
  // A new plan for wrong answers, from its seed on.
  void setFaults(const FaultPlan& plan);
  [[nodiscard]] HostConsole& console();
  [[nodiscard]] ConsoleCommands& commands();
  [[nodiscard]] Hooks& hooks();
  [[nodiscard]] HostClock& clock();
  [[nodiscard]] Frames& frames();
  [[nodiscard]] GameQueries& queries();
  // Calls the real game would crash on, which behaviour().crashOnBadCalls ends the run at.
  [[nodiscard]] BadCalls& badCalls();
  [[nodiscard]] Reports& reports();

  // The host's folder under the application-data folder, as GetBakkesModPath reports it.
  [[nodiscard]] const std::filesystem::path& folder() const;

  // Callbacks handed over from now on belong to this plugin object: once it is destroyed the host
  // skips them (and warns) instead of calling into freed memory.
  void tieCallbacksTo(std::weak_ptr<const void> plugin);
  // The host stops: every hook, timer, drawable and command is dropped without being called.
  void dropCallbacks();

  // After a plugin's unload: its variables, console commands and drawables are removed.
  void forgetPlugin();
  // The game restarts: every variable, hook, timer and drawable is forgotten and the
  // configuration file is read again.
  void forgetAll();

 private:
  std::filesystem::path folder_;
  HostBehaviour behaviour_;
  Reports reports_;
  Game game_;
  FaultInjector faults_;
  BadCalls badCalls_;
  CallbackOwner owner_;
  HostClock clock_;
  HostConsole console_;
  ConsoleCommands commands_;
  Hooks hooks_;
  Frames frames_;
  GameQueries queries_;
};

}  // namespace rafta::sim
