#include "bakkesmod/wrappers/cvarmanagerwrapper.h"

#include <utility>

#include "sim/base/Handles.h"
#include "sim/base/Text.h"
#include "sim/faults/FaultInjector.h"
#include "sim/host/Host.h"

using rafta::sim::addressOfObject;
using rafta::sim::Host;
using rafta::sim::objectAt;

CVarManagerWrapper::CVarManagerWrapper(std::uintptr_t mem) : address(mem) {}

// The host interface declares these non-const, as the host it stands in for does.
// NOLINTBEGIN(readability-make-member-function-const)

CVarWrapper CVarManagerWrapper::registerCvar(std::string cvar, std::string defaultValue,
                                             std::string desc, bool searchAble, bool hasMin,
                                             float min, bool hasMax, float max, bool saveToCfg) {
  auto* host = objectAt<Host>(address);
  if (host == nullptr) {
    return CVarWrapper(0);
  }
  auto& variable = host->console().registerCvar(
      cvar, defaultValue, {std::move(desc), searchAble, hasMin, min, hasMax, max, saveToCfg});
  return CVarWrapper(addressOfObject(&variable));
}

CVarWrapper CVarManagerWrapper::getCvar(std::string cvar) {
  auto* host = objectAt<Host>(address);
  const auto variable = host != nullptr ? addressOfObject(host->console().findCvar(cvar)) : 0;
  auto* faults = rafta::sim::armedInjector();
  return CVarWrapper(faults != nullptr ? faults->handle(variable, "getCvar " + cvar) : variable);
}

void CVarManagerWrapper::log(std::string text) {
  if (auto* host = objectAt<Host>(address)) {
    host->console().log(text);
  }
}

// The console's bytes are Windows-1252: what that code page lacks becomes '?'.
void CVarManagerWrapper::log(std::wstring text) { log(rafta::sim::wideToWindows1252(text)); }

// The flag asks the real console to echo the command; this console has nothing to echo to.
void CVarManagerWrapper::executeCommand(std::string command, bool /*log*/) {
  if (auto* host = objectAt<Host>(address)) {
    host->console().executeCommand(command);
  }
}

// NOLINTEND(readability-make-member-function-const)
