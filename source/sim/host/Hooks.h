#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <variant>
#include <vector>

#include "bakkesmod/wrappers/GameWrapper.h"
#include "sim/host/CallbackList.h"
#include "sim/host/Reports.h"

namespace rafta::sim {

// What the game calls back in the plugin as it runs: hooks when it runs a function, and what the
// plugin hands to Execute, at its next tick. Everything runs on the game thread (the script's);
// only `execute` may be called from another thread, the settings page's render thread.
class Hooks {
 public:
  using PlainHook = std::function<void(std::string)>;
  // The caller as the address of a game object (0 for none); the wrapper adapts it to its type.
  using CallerHook = std::function<void(std::uintptr_t caller, void* params, std::string name)>;
  using Executed = std::function<void(GameWrapper*)>;

  // What is handed to Execute gets a game wrapper on the host at `hostAddress`.
  Hooks(const Reports& reports, const CallbackOwner& owner, std::uintptr_t hostAddress);

  // Hooks on game functions, by full function name.
  void hookPlain(const std::string& function, PlainHook hook);
  void hookWithCaller(const std::string& function, CallerHook hook);
  void unhook(const std::string& function);
  [[nodiscard]] bool isHooked(const std::string& function) const;
  // The game runs the function: every hook on it is called, in registration order.
  void fire(const std::string& function, std::uintptr_t caller);

  // Held until the next tick. Thread-safe: any thread may hand a function over while the game
  // thread ticks; it reads whose callbacks they are, which only a load or unload on the game thread
  // changes.
  void execute(Executed function);
  // The game thread's alone. The game ticks: what was handed to Execute before it runs, in the
  // order it was handed.
  void tick();

  // The host stops: every hook and every function held for the next tick is dropped uncalled.
  void clear();

 private:
  using Hook = std::variant<PlainHook, CallerHook>;
  struct Handed {
    Executed function;
    Lifeline life;
  };

  const Reports& reports_;
  const CallbackOwner& owner_;
  GameWrapper self_;
  std::map<std::string, CallbackList<Hook>> hooks_;
  std::mutex handedMutex_;
  std::vector<Handed> handed_;  // guarded by handedMutex_
};

}  // namespace rafta::sim
