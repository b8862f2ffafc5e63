#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <variant>
#include <vector>

#include "bakkesmod/wrappers/GameWrapper.h"
#include "sim/canvas/Canvas.h"
#include "sim/game/Game.h"
#include "sim/host/CallbackList.h"
#include "sim/host/Reports.h"
#include "sim/host/Scheduler.h"

namespace rafta::sim {

// What the host calls back in the plugin: hooks when the game runs a function, timers as the
// host's clock passes their time, drawables each frame, console commands as the user types
// them, and what the plugin hands to Execute at the next game tick. Callbacks handed over belong to
// the plugin object they are tied to: once it is destroyed the host skips them (and warns) instead
// of calling into freed memory. Everything runs on the game thread (the script's); only `execute`
// may be called from another thread, the settings page's render thread.
class Callbacks {
 public:
  using PlainHook = std::function<void(std::string)>;
  // The caller as the address of a game object (0 for none); the wrapper adapts it to its type.
  using CallerHook = std::function<void(std::uintptr_t caller, void* params, std::string name)>;
  using Timer = std::function<void(GameWrapper*)>;
  using Executed = std::function<void(GameWrapper*)>;
  using Drawable = std::function<void(CanvasWrapper)>;
  using FrameSink = std::function<void(const Canvas&)>;
  using Notifier = std::function<void(std::vector<std::string> words)>;

  // Timers are handed a game wrapper on the host at `hostAddress`.
  Callbacks(Game& game, Reports& reports, Scheduler& clock, std::uintptr_t hostAddress);

  // Callbacks handed over from now on belong to this plugin object.
  void tieTo(std::weak_ptr<const void> plugin);

  // Hooks on game functions, by full function name.
  void hookPlain(const std::string& function, PlainHook hook);
  void hookWithCaller(const std::string& function, CallerHook hook);
  void unhook(const std::string& function);
  [[nodiscard]] bool isHooked(const std::string& function) const;
  // The game runs the function: every hook on it is called, in registration order.
  void fire(const std::string& function, std::uintptr_t caller);

  // The host's virtual clock, in seconds.
  [[nodiscard]] double time() const;
  void setTimeout(Timer timer, float seconds);
  [[nodiscard]] std::size_t pendingTimers() const;
  // Time passes; due timers and stored-value applications run at their due times. Throws
  // std::runtime_error when timers keep re-arming themselves without delay.
  void wait(double seconds);

  // Held until the next tick, from any thread.
  void execute(Executed function);
  // The game ticks: what was handed to Execute before it runs, in the order it was handed.
  void tick();

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

  // Console commands by name; registering a name again replaces its command.
  void registerNotifier(const std::string& name, Notifier notifier);
  bool removeNotifier(const std::string& name);
  [[nodiscard]] bool hasNotifier(const std::string& name) const;
  // The user types a command, its name first; false when no command of that name is registered.
  bool typeCommand(const std::vector<std::string>& words);

  // The plugin was unloaded: the host removes its commands and drawables, as the real one does.
  void removeCommandsAndDrawables();
  // The host stops: every hook, timer, drawable and command is dropped without being called.
  void dropAll();

 private:
  using Hook = std::variant<PlainHook, CallerHook>;
  struct Handed {
    Executed function;
    Lifeline life;
  };

  void orphaned(const std::string& what) const;

  Game& game_;
  Reports& reports_;
  Scheduler& clock_;
  GameWrapper self_;
  Lifeline life_;
  std::map<std::string, CallbackList<Hook>> hooks_;
  std::map<std::string, CallbackList<Notifier>> notifiers_;
  CallbackList<Drawable> drawables_;
  std::mutex handedMutex_;
  std::vector<Handed> handed_;  // guarded by handedMutex_
  TextMeasure textMeasure_;
  FrameSink frameSink_;
  std::unique_ptr<Canvas> lastFrame_;
};

}  // namespace rafta::sim
