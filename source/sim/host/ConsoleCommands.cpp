#include "sim/host/ConsoleCommands.h"

#include <utility>

namespace rafta::sim {

ConsoleCommands::ConsoleCommands(const Reports& reports, const CallbackOwner& owner)
    : reports_(reports), owner_(owner) {}

void ConsoleCommands::registerNotifier(const std::string& name, Notifier notifier) {
  reports_.trace("registerNotifier " + name);
  auto& command = notifiers_[name];
  command.clear();
  command.add(std::move(notifier), owner_.life());
}

bool ConsoleCommands::removeNotifier(const std::string& name) {
  reports_.trace("removeNotifier " + name);
  const auto found = notifiers_.find(name);
  if (found == notifiers_.end()) {
    return false;
  }
  found->second.clear();
  notifiers_.erase(found);
  return true;
}

bool ConsoleCommands::hasNotifier(const std::string& name) const {
  return notifiers_.contains(name);
}

std::vector<ConsoleCommands::Notifier> ConsoleCommands::notifiers(const std::string& name) const {
  const auto found = notifiers_.find(name);
  return found == notifiers_.end() ? std::vector<Notifier>{} : found->second.callable();
}

bool ConsoleCommands::type(const std::vector<std::string>& words) {
  const auto found = words.empty() ? notifiers_.end() : notifiers_.find(words.front());
  if (found == notifiers_.end()) {
    return false;
  }
  reports_.trace("command " + words.front());
  found->second.invoke([&](const Notifier& notifier) { notifier(words); },
                       [&] { owner_.orphaned("the command " + words.front()); });
  return true;
}

void ConsoleCommands::clear() {
  for (auto& [name, command] : notifiers_) {
    command.clear();
  }
  notifiers_.clear();
}

}  // namespace rafta::sim
