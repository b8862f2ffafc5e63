#include "CVarManagerWrapper.h"

#include "FaultInjection.h"
#include "Host.h"
#include "HostAccess.h"

using rafta::sim::addressOfObject;
using rafta::sim::Host;
using rafta::sim::objectAt;

CVarManagerWrapper::CVarManagerWrapper(std::uintptr_t mem) : address(mem) {}

// The host interface declares these non-const, as the host it stands in for does.
// NOLINTBEGIN(readability-make-member-function-const)

CVarWrapper CVarManagerWrapper::registerCvar(const std::string& name,
                                             const std::string& defaultValue,
                                             const std::string& description, bool searchable,
                                             bool hasMin, float min, bool hasMax, float max,
                                             bool saveToConfig) {
  auto* host = objectAt<Host>(address);
  if (host == nullptr) {
    return CVarWrapper();
  }
  auto& variable = host->registerCvar(
      name, defaultValue, {description, searchable, hasMin, min, hasMax, max, saveToConfig});
  return CVarWrapper(addressOfObject(&variable));
}

CVarWrapper CVarManagerWrapper::getCvar(const std::string& name) const {
  const auto* host = objectAt<const Host>(address);
  const auto variable = host != nullptr ? addressOfObject(host->findCvar(name)) : 0;
  auto* faults = rafta::sim::armedInjector();
  return CVarWrapper(faults != nullptr ? faults->handle(variable, "getCvar " + name) : variable);
}

void CVarManagerWrapper::log(const std::string& text) {
  if (auto* host = objectAt<Host>(address)) {
    host->log(text);
  }
}

// The flag asks the real console to echo the command; this console has nothing to echo to.
void CVarManagerWrapper::executeCommand(const std::string& command, bool /*log*/) {
  if (auto* host = objectAt<Host>(address)) {
    host->executeCommand(command);
  }
}
// NOLINTEND(readability-make-member-function-const)
