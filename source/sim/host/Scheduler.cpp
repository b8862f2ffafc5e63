#include "sim/host/Scheduler.h"

#include <algorithm>

#include "sim/base/Numbers.h"

namespace rafta::sim {

std::int64_t Scheduler::now() const { return now_; }

void Scheduler::setNow(std::int64_t time) { now_ = time; }

void Scheduler::schedule(std::int64_t delay, TaskKind kind, Task task) {
  entries_.emplace(std::pair{later(now_, std::max<std::int64_t>(delay, 0)), sequence_++},
                   Entry{kind, std::move(task)});
}

std::optional<Scheduler::Due> Scheduler::takeDue(std::int64_t limit) {
  if (entries_.empty() || entries_.begin()->first.first > limit) {
    return std::nullopt;
  }
  const auto first = entries_.begin();
  Due due{first->first.first, std::move(first->second.task)};
  entries_.erase(first);
  return due;
}

std::size_t Scheduler::pending(TaskKind kind) const {
  return static_cast<std::size_t>(
      std::count_if(entries_.begin(), entries_.end(),
                    [kind](const auto& entry) { return entry.second.kind == kind; }));
}

void Scheduler::clear() { entries_.clear(); }

}  // namespace rafta::sim
