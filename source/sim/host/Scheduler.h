#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace rafta::sim {

enum class TaskKind { Timer, ConfigApplication };

// One-shot tasks on the host's virtual clock (microseconds), due in time order and, at equal
// times, in the order they were scheduled.
class Scheduler {
 public:
  using Task = std::function<void()>;

  struct Due {
    std::int64_t time;
    Task task;
  };

  [[nodiscard]] std::int64_t now() const;
  void setNow(std::int64_t time);

  void schedule(std::int64_t delay, TaskKind kind, Task task);
  // Removes and returns the earliest task due no later than `limit`.
  [[nodiscard]] std::optional<Due> takeDue(std::int64_t limit);
  [[nodiscard]] std::size_t pending(TaskKind kind) const;
  void clear();

 private:
  struct Entry {
    TaskKind kind;
    Task task;
  };
  std::int64_t now_ = 0;
  std::uint64_t sequence_ = 0;
  std::map<std::pair<std::int64_t, std::uint64_t>, Entry> entries_;
};

}  // namespace rafta::sim
