// The console's wrappers: the console-variable manager, which reaches the host's console, and the
// variable handles, each naming one variable.
#include "bakkesmod/wrappers/cvarmanagerwrapper.h"

#include <utility>

#include "bakkesmod/wrappers/cvarwrapper.h"
#include "sim/console/ConsoleVariable.h"
#include "sim/handles/Handles.h"
#include "sim/host/BadCalls.h"
#include "sim/host/Host.h"
#include "sim/text/Text.h"

// The wrappers are the host interface's own classes, implemented over the host's objects.
using namespace rafta::sim;

namespace {

// The variable a handle names; a call through a null one would crash the real game.
ConsoleVariable* variableFor(std::uintptr_t address, std::string_view call) {
  auto* variable = objectAt<ConsoleVariable>(address);
  if (variable == nullptr) {
    BadCalls::ofLatestHost().made(call, "a null console variable");
  }
  return variable;
}

// The variable about to be read, as its console answers it.
const ConsoleVariable* reading(std::uintptr_t address, std::string_view call) {
  auto* variable = variableFor(address, call);
  if (variable != nullptr) {
    variable->beforeRead();
  }
  return variable;
}

}  // namespace

// --- The console-variable manager --------------------------------------------------------------

CVarManagerWrapper::CVarManagerWrapper(std::uintptr_t mem) : address(mem) {}

// The host interface declares these non-const, as the host it stands in for does.
// NOLINTBEGIN(readability-make-member-function-const)

// The host enforces neither the description nor the bounds, and keeps none of them.
CVarWrapper CVarManagerWrapper::registerCvar(std::string cvar, std::string defaultValue,
                                             std::string /*desc*/, bool /*searchAble*/,
                                             bool /*hasMin*/, float /*min*/, bool /*hasMax*/,
                                             float /*max*/, bool saveToCfg) {
  auto* host = objectAt<Host>(address);
  if (host == nullptr) {
    return CVarWrapper(0);
  }
  auto& variable = host->console().registerCvar(cvar, defaultValue, {saveToCfg});
  return CVarWrapper(addressOfObject(&variable));
}

CVarWrapper CVarManagerWrapper::getCvar(std::string cvar) {
  auto* host = objectAt<Host>(address);
  return CVarWrapper(host != nullptr ? host->console().variableHandle(cvar) : 0);
}

bool CVarManagerWrapper::removeCvar(std::string cvar) {
  auto* host = objectAt<Host>(address);
  return host != nullptr && host->console().removeCvar(cvar);
}

void CVarManagerWrapper::loadCfg(std::string path) {
  if (auto* host = objectAt<Host>(address)) {
    host->console().executeCfg(path);
  }
}

void CVarManagerWrapper::log(std::string text) {
  if (auto* host = objectAt<Host>(address)) {
    host->console().log(std::move(text));
  }
}

// The console's bytes are Windows-1252: what that code page lacks becomes '?'.
void CVarManagerWrapper::log(std::wstring text) { log(wideToWindows1252(text)); }

// The flag asks the real console to echo the command; this console has nothing to echo to.
void CVarManagerWrapper::executeCommand(std::string command, bool /*log*/) {
  if (auto* host = objectAt<Host>(address)) {
    host->console().executeCommand(std::move(command));
  }
}

// A command is called back like a hook. This console lists no help and runs every command
// anywhere: the description and the permissions are the real console's business.
void CVarManagerWrapper::registerNotifier(std::string name,
                                          std::function<void(std::vector<std::string>)> notifier,
                                          std::string /*description*/,
                                          unsigned char /*permissions*/) {
  if (auto* host = objectAt<Host>(address)) {
    host->commands().registerNotifier(name, std::move(notifier));
  }
}

bool CVarManagerWrapper::removeNotifier(std::string name) {
  auto* host = objectAt<Host>(address);
  return host != nullptr && host->commands().removeNotifier(name);
}

// NOLINTEND(readability-make-member-function-const)

// --- The variable handles -----------------------------------------------------------------------

CVarWrapper::CVarWrapper(std::uintptr_t mem) : address(mem) {}

// The host interface declares these non-const, as the host it stands in for does.
// NOLINTBEGIN(readability-make-member-function-const)

bool CVarWrapper::IsNull() { return address == 0; }

bool CVarWrapper::getBoolValue() {
  const auto* variable = reading(address, "getBoolValue");
  return variable != nullptr && variable->boolValue();
}

int CVarWrapper::getIntValue() {
  const auto* variable = reading(address, "getIntValue");
  return variable != nullptr ? variable->intValue() : 0;
}

float CVarWrapper::getFloatValue() {
  const auto* variable = reading(address, "getFloatValue");
  return variable != nullptr ? variable->floatValue() : 0.0F;
}

void CVarWrapper::setValue(std::string value) {
  if (auto* variable = variableFor(address, "setValue")) {
    variable->setText(std::move(value));
  }
}

void CVarWrapper::setValue(int value) {
  if (auto* variable = variableFor(address, "setValue")) {
    variable->setInt(value);
  }
}

void CVarWrapper::setValue(float value) {
  if (auto* variable = variableFor(address, "setValue")) {
    variable->setFloat(value);
  }
}

void CVarWrapper::setValue(LinearColor value) {
  if (auto* variable = variableFor(address, "setValue")) {
    variable->setColor(value);
  }
}

// NOLINTEND(readability-make-member-function-const)
