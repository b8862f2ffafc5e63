#include "bakkesmod/wrappers/cvarwrapper.h"

#include <utility>

#include "sim/base/Handles.h"
#include "sim/console/ConsoleVariable.h"
#include "sim/faults/FaultInjector.h"

using rafta::sim::ConsoleVariable;
using rafta::sim::objectAt;

namespace {

// The variable about to be read, after the user may have typed something hostile into it.
const ConsoleVariable* reading(std::uintptr_t address) {
  auto* variable = objectAt<ConsoleVariable>(address);
  auto* faults = rafta::sim::armedInjector();
  if (variable != nullptr && faults != nullptr) {
    if (auto text = faults->consoleText(variable->name())) {
      variable->setText(std::move(*text));
    }
  }
  return variable;
}

}  // namespace

CVarWrapper::CVarWrapper(std::uintptr_t mem) : address(mem) {}

// The host interface declares these non-const, as the host it stands in for does.
// NOLINTBEGIN(readability-make-member-function-const)

bool CVarWrapper::IsNull() { return address == 0; }

bool CVarWrapper::getBoolValue() {
  const auto* variable = reading(address);
  return variable != nullptr && variable->boolValue();
}

int CVarWrapper::getIntValue() {
  const auto* variable = reading(address);
  return variable != nullptr ? variable->intValue() : 0;
}

float CVarWrapper::getFloatValue() {
  const auto* variable = reading(address);
  return variable != nullptr ? variable->floatValue() : 0.0F;
}

void CVarWrapper::setValue(std::string value) {
  if (auto* variable = objectAt<ConsoleVariable>(address)) {
    variable->setText(std::move(value));
  }
}

void CVarWrapper::setValue(int value) {
  if (auto* variable = objectAt<ConsoleVariable>(address)) {
    variable->setInt(value);
  }
}

void CVarWrapper::setValue(float value) {
  if (auto* variable = objectAt<ConsoleVariable>(address)) {
    variable->setFloat(value);
  }
}

void CVarWrapper::setValue(LinearColor value) {
  if (auto* variable = objectAt<ConsoleVariable>(address)) {
    variable->setColor(value);
  }
}

// NOLINTEND(readability-make-member-function-const)
