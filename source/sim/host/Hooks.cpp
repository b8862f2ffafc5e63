#include "sim/host/Hooks.h"

#include <cstddef>
#include <utility>

#include "sim/game/Game.h"

namespace rafta::sim {

Hooks::Hooks(const Reports& reports, const CallbackOwner& owner, std::uintptr_t hostAddress)
    : reports_(reports), owner_(owner), self_(hostAddress) {}

void Hooks::hookPlain(const std::string& function, PlainHook hook) {
  reports_.trace("HookEvent " + function);
  hooks_[function].add(std::move(hook), owner_.life());
}

void Hooks::hookWithCaller(const std::string& function, CallerHook hook) {
  reports_.trace("HookEventWithCaller " + function);
  hooks_[function].add(std::move(hook), owner_.life());
}

void Hooks::unhook(const std::string& function) {
  reports_.trace("UnhookEvent " + function);
  const auto found = hooks_.find(function);
  if (found != hooks_.end()) {
    found->second.clear();
    hooks_.erase(found);
  }
}

bool Hooks::isHooked(const std::string& function) const {
  const auto found = hooks_.find(function);
  return found != hooks_.end() && !found->second.empty();
}

void Hooks::fire(const std::string& function, std::uintptr_t caller) {
  const auto found = hooks_.find(function);
  const std::size_t count = found == hooks_.end() ? 0 : found->second.size();
  if (reports_.tracing()) {
    reports_.trace("fire " + function + " caller " + describeActor(caller) + ", " +
                   std::to_string(count) + " hook(s)");
  }
  if (count == 0) {
    return;
  }
  const auto call = [&](const Hook& hook) {
    if (const auto* plain = std::get_if<PlainHook>(&hook)) {
      (*plain)(function);
    } else {
      std::get<CallerHook>(hook)(caller, nullptr, function);
    }
  };
  found->second.invoke(call, [&] { owner_.orphaned("a hook on " + function); });
}

void Hooks::execute(Executed function) {
  const std::lock_guard lock(handedMutex_);
  handed_.push_back({std::move(function), owner_.life()});
}

void Hooks::tick() {
  std::vector<Handed> due;
  {
    const std::lock_guard lock(handedMutex_);
    due.swap(handed_);
  }
  for (const auto& [function, life] : due) {
    if (life.alive()) {
      function(&self_);
    } else {
      owner_.orphaned("a function handed to Execute");
    }
  }
}

void Hooks::clear() {
  for (auto& [name, hooks] : hooks_) {
    hooks.clear();
  }
  hooks_.clear();
  const std::lock_guard lock(handedMutex_);
  handed_.clear();
}

}  // namespace rafta::sim
