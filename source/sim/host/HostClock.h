#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

#include "bakkesmod/wrappers/GameWrapper.h"
#include "sim/game/Game.h"
#include "sim/host/CallbackList.h"
#include "sim/host/Reports.h"

namespace rafta::sim {

enum class TaskKind { Timer, ConfigApplication };

// The host's virtual time, which only a script's wait advances, and the one-shot tasks due on it:
// the plugin's timers and the host's own (executing the configuration file). Counted in whole
// microseconds; tasks fall due in time order and, at equal times, in the order they were set.
// The game's time (Game::secondsElapsed) moves with it.
class HostClock {
 public:
  using Timer = std::function<void(GameWrapper*)>;
  using Task = std::function<void()>;

  // Timers are handed a game wrapper on the host at `hostAddress`.
  HostClock(Game& game, const Reports& reports, const CallbackOwner& owner,
            std::uintptr_t hostAddress);

  // In seconds since the host started.
  [[nodiscard]] double time() const;

  // A plugin's timer, tied to its plugin object.
  void setTimeout(Timer timer, float seconds);
  [[nodiscard]] std::size_t pendingTimers() const;
  // One of the host's own tasks, `delay` microseconds from now.
  void schedule(std::int64_t delay, TaskKind kind, Task task);

  // Time passes; due tasks run at their due times. Throws std::runtime_error when timers keep
  // re-arming themselves without delay.
  void wait(double seconds);
  // Every pending task is dropped without running.
  void clear();

 private:
  struct Entry {
    TaskKind kind;
    Task task;
  };
  struct Due {
    std::int64_t time;
    Task task;
  };
  // Removes and returns the earliest task due no later than `limit`.
  [[nodiscard]] std::optional<Due> takeDue(std::int64_t limit);

  Game& game_;
  const Reports& reports_;
  const CallbackOwner& owner_;
  GameWrapper self_;
  std::int64_t now_ = 0;
  std::uint64_t sequence_ = 0;
  std::map<std::pair<std::int64_t, std::uint64_t>, Entry> entries_;
};

}  // namespace rafta::sim
