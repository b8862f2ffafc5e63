#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "sim/host/CallbackList.h"
#include "sim/host/Reports.h"

namespace rafta::sim {

// The console commands plugins register, called back like hooks, so that a destroyed plugin's
// command is never called. The host's own commands are its console's (HostConsole).
class ConsoleCommands {
 public:
  using Notifier = std::function<void(std::vector<std::string> words)>;

  ConsoleCommands(const Reports& reports, const CallbackOwner& owner);

  // Registering a name again replaces its command.
  void registerNotifier(const std::string& name, Notifier notifier);
  bool removeNotifier(const std::string& name);
  [[nodiscard]] bool hasNotifier(const std::string& name) const;
  // The commands typing that name would call now: for a console that runs them on a thread of its
  // own. Thread-safe to call the copies, not to hold this list across a load or an unload.
  [[nodiscard]] std::vector<Notifier> notifiers(const std::string& name) const;
  // The user types a command, its name first; false when no command of that name is registered.
  bool type(const std::vector<std::string>& words);

  // The plugin is gone: the host removes its commands, as the real one does.
  void clear();

 private:
  const Reports& reports_;
  const CallbackOwner& owner_;
  std::map<std::string, CallbackList<Notifier>> notifiers_;
};

}  // namespace rafta::sim
