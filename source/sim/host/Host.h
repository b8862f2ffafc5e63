#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "bakkesmod/wrappers/GameWrapper.h"
#include "bakkesmod/wrappers/cvarmanagerwrapper.h"
#include "sim/canvas/Canvas.h"
#include "sim/console/ConfigFile.h"
#include "sim/console/ConsoleVariable.h"
#include "sim/faults/FaultInjector.h"
#include "sim/game/Game.h"
#include "sim/host/CallbackList.h"
#include "sim/host/Lifeline.h"
#include "sim/host/RecentHistory.h"
#include "sim/host/Scheduler.h"

namespace rafta::sim {

// The game-wrapper questions a plugin asks, recorded in the order asked.
enum class Query {
  IsInGame,
  IsInReplay,
  IsInFreeplay,
  IsInCustomTraining,
  GetCurrentGameState,
  GetLocalCar,
  GetScreenSize
};
[[nodiscard]] std::string_view queryName(Query query);

struct HostOptions {
  std::filesystem::path appData;
  // Empty: defaultConfigFile(appData).
  std::filesystem::path configFile;
  // Host warnings (malformed configuration lines, failed writes). Empty: standard error.
  TextSink warn;
};

[[nodiscard]] std::filesystem::path defaultConfigFile(const std::filesystem::path& appData);

// The simulated mod host: every operation the wrappers offer a plugin, over an in-memory game.
// Wrapper handles for the game wrapper and the console manager carry this object's address.
class Host {
 public:
  using PlainHook = std::function<void(std::string)>;
  // The caller as the address of a game object (0 for none); the wrapper adapts it to its type.
  using CallerHook = std::function<void(std::uintptr_t caller, void* params, std::string name)>;
  using Drawable = std::function<void(CanvasWrapper)>;
  using Timer = std::function<void(GameWrapper*)>;

  explicit Host(HostOptions options);
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;
  ~Host();

  // Handles to give a plugin.
  [[nodiscard]] std::shared_ptr<CVarManagerWrapper> cvarManager();
  [[nodiscard]] std::shared_ptr<GameWrapper> gameWrapper();
  // Callbacks handed over from now on belong to this plugin object: once it is destroyed the
  // host skips them (and warns) instead of calling into freed memory.
  void tieCallbacksTo(std::weak_ptr<const void> plugin);

  [[nodiscard]] Game& game();
  // Wrong answers on purpose; disarmed at start.
  [[nodiscard]] FaultInjector& faults();

  // Game-wrapper questions: each is recorded and traced. ask() answers the four yes/no ones.
  [[nodiscard]] bool ask(Query query);
  [[nodiscard]] std::uintptr_t askGameState();
  [[nodiscard]] std::uintptr_t askLocalCar();
  [[nodiscard]] Vector2 askScreenSize();
  // The recent questions (at least the last 4096), oldest first.
  [[nodiscard]] const std::vector<Query>& queries() const;
  void clearQueries();

  // The console log, raw bytes as the plugin handed them over.
  void log(const std::string& line);
  // The recent lines (at least the last 256), oldest first.
  [[nodiscard]] const std::vector<std::string>& logLines() const;
  void setLogSink(TextSink sink);
  void setTraceSink(TextSink sink);
  void warn(const std::string& message) const;
  // A file or stream the host writes (the configuration file, pictures, the console) took no
  // bytes: warned about at once, and the session goes on as a real host's would. The first one
  // is kept, for the run's exit status; empty while none.
  void ioFailed(const std::string& what);
  [[nodiscard]] const std::string& firstIoFailure() const;

  // Console variables and the configuration file.
  ConsoleVariable& registerCvar(const std::string& name, const std::string& defaultValue,
                                CvarSettings settings);
  [[nodiscard]] ConsoleVariable* findCvar(const std::string& name) const;
  // The user typed `NAME VALUE` at the console; false when no such variable is registered.
  bool consoleSet(const std::string& name, const std::string& value);
  void executeCommand(const std::string& command);
  // The recent commands (at least the last 256), oldest first.
  [[nodiscard]] const std::vector<std::string>& executedCommands() const;
  [[nodiscard]] const std::filesystem::path& configFile() const;
  [[nodiscard]] const StoredValues& storedValues() const;
  void setConfigDelay(double seconds);
  // Off, writeconfig still records the command and takes the values, but leaves the file alone:
  // benchmarks time the plugin, not the disk.
  void setConfigFileWrites(bool on);

  // Hooks on game functions, by full function name.
  void hookPlain(const std::string& function, PlainHook hook);
  void hookWithCaller(const std::string& function, CallerHook hook);
  void unhook(const std::string& function);
  [[nodiscard]] bool isHooked(const std::string& function) const;
  // The game runs the function: every hook on it is called, in registration order.
  void fire(const std::string& function, std::uintptr_t caller);

  // The host's virtual clock.
  [[nodiscard]] double time() const;
  void setTimeout(Timer timer, float seconds);
  [[nodiscard]] std::size_t pendingTimers() const;
  // Time passes; due timers and stored-value applications run at their due times. Throws
  // std::runtime_error when timers keep re-arming themselves without delay.
  void wait(double seconds);

  // Drawing.
  using FrameSink = std::function<void(const Canvas&)>;
  // What the canvas answers to GetStringSize; at start, the host's font.
  void setTextMeasure(TextMeasure measure);
  // Called with every frame once it is drawn.
  void setFrameSink(FrameSink sink);
  void registerDrawable(Drawable drawable);
  void unregisterDrawables();
  [[nodiscard]] std::size_t drawableCount() const;
  void drawFrames(int count);
  // The last drawn frame, or null before the first.
  [[nodiscard]] const Canvas* lastFrame() const;

  // The host stops: every hook, timer and drawable is dropped without being called.
  void dropCallbacks();
  // The game restarts: every variable, hook, timer and drawable is forgotten and the
  // configuration file is read again.
  void forgetAll();

 private:
  using Hook = std::variant<PlainHook, CallerHook>;

  void trace(const std::string& line) const;
  void note(Query query, const std::function<std::string()>& answer);
  void readStored();
  void applyStored(const std::string& name, const std::string& value);
  void writeConfigFile();
  void orphaned(const std::string& what) const;

  std::filesystem::path configFile_;
  TextSink warn_;
  std::string firstIoFailure_;
  TextSink logSink_;
  TextSink traceSink_;
  GameWrapper self_;
  Lifeline life_;

  Game game_;
  FaultInjector faults_;
  // Only what checks and tests read back, so that a session of any length runs in bounded memory;
  // --trace prints everything as it happens.
  RecentHistory<Query> queries_{4096};
  RecentHistory<std::string> log_{256};

  std::map<std::string, std::unique_ptr<ConsoleVariable>> variables_;
  StoredValues stored_;
  RecentHistory<std::string> commands_{256};
  std::int64_t configDelay_ = 0;
  bool configFileWrites_ = true;

  std::map<std::string, CallbackList<Hook>> hooks_;
  CallbackList<Drawable> drawables_;
  TextMeasure textMeasure_;
  FrameSink frameSink_;
  Scheduler scheduler_;
  std::unique_ptr<Canvas> lastFrame_;
};

}  // namespace rafta::sim
