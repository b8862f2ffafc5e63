#include "sim/host/HostClock.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <string>

#include "sim/numbers/Numbers.h"

namespace rafta::sim {
namespace {

std::string secondsText(std::int64_t micros) {
  std::ostringstream out;
  out << static_cast<double>(micros) / 1e6 << " s";
  return out.str();
}

}  // namespace

HostClock::HostClock(Game& game, const Reports& reports, const CallbackOwner& owner,
                     std::uintptr_t hostAddress)
    : game_(game), reports_(reports), owner_(owner), self_(hostAddress) {}

double HostClock::time() const { return static_cast<double>(now_) / 1e6; }

void HostClock::setTimeout(Timer timer, float seconds) {
  const auto delay = toMicroseconds(seconds);
  reports_.trace("SetTimeout " + secondsText(delay));
  schedule(delay, TaskKind::Timer, [this, timer = std::move(timer), life = owner_.life()] {
    if (!life.alive()) {
      owner_.orphaned("a timer");
      return;
    }
    reports_.trace("timer fires");
    timer(&self_);
  });
}

std::size_t HostClock::pendingTimers() const {
  return static_cast<std::size_t>(
      std::count_if(entries_.begin(), entries_.end(),
                    [](const auto& entry) { return entry.second.kind == TaskKind::Timer; }));
}

void HostClock::schedule(std::int64_t delay, TaskKind kind, Task task) {
  entries_.emplace(std::pair{later(now_, std::max<std::int64_t>(delay, 0)), sequence_++},
                   Entry{kind, std::move(task)});
}

void HostClock::wait(double seconds) {
  const auto start = now_;
  const auto startElapsed = game_.secondsElapsed();
  const auto end = later(start, toMicroseconds(seconds));
  const auto moveTo = [&](std::int64_t time) {
    now_ = time;
    game_.setSecondsElapsed(startElapsed + static_cast<double>(time - start) / 1e6);
  };
  // A timer that re-arms itself without delay would hold time still for ever.
  constexpr int kMostAtOneInstant = 100000;
  int atThisInstant = 0;
  while (auto due = takeDue(end)) {
    atThisInstant = due->time == now_ ? atThisInstant + 1 : 0;
    if (atThisInstant > kMostAtOneInstant) {
      throw std::runtime_error("wait: more than " + std::to_string(kMostAtOneInstant) +
                               " timers fell due at one instant; a timer keeps re-arming itself "
                               "without delay");
    }
    moveTo(due->time);
    due->task();
  }
  moveTo(end);
}

void HostClock::clear() { entries_.clear(); }

std::optional<HostClock::Due> HostClock::takeDue(std::int64_t limit) {
  if (entries_.empty() || entries_.begin()->first.first > limit) {
    return std::nullopt;
  }
  const auto first = entries_.begin();
  Due due{first->first.first, std::move(first->second.task)};
  entries_.erase(first);
  return due;
}

}  // namespace rafta::sim
