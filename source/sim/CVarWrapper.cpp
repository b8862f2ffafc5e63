#include "CVarWrapper.h"

#include <utility>

#include "ConsoleVariable.h"
#include "FaultInjection.h"
#include "HostAccess.h"

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

bool CVarWrapper::IsNull() const { return address == 0; }

bool CVarWrapper::getBoolValue() const {
  const auto* variable = reading(address);
  return variable != nullptr && variable->boolValue();
}

int CVarWrapper::getIntValue() const {
  const auto* variable = reading(address);
  return variable != nullptr ? variable->intValue() : 0;
}

float CVarWrapper::getFloatValue() const {
  const auto* variable = reading(address);
  return variable != nullptr ? variable->floatValue() : 0.0F;
}

void CVarWrapper::setValue(int value) const {
  if (auto* variable = objectAt<ConsoleVariable>(address)) {
    variable->setInt(value);
  }
}

void CVarWrapper::setValue(float value) const {
  if (auto* variable = objectAt<ConsoleVariable>(address)) {
    variable->setFloat(value);
  }
}

std::uintptr_t CVarWrapper::memory_address() const { return address; }
