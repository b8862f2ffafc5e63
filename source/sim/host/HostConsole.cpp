// The host's console variables and its configuration file.
#include <exception>
#include <utility>

#include "sim/base/Numbers.h"
#include "sim/base/Text.h"
#include "sim/host/Host.h"

namespace rafta::sim {

void Host::readStored() {
  stored_ = readConfig(configFile_, [this](const std::string& message) { warn(message); });
}

ConsoleVariable& Host::registerCvar(const std::string& name, const std::string& defaultValue,
                                    CvarSettings settings) {
  auto& slot = variables_[name];
  if (slot) {
    return *slot;
  }
  slot = std::make_unique<ConsoleVariable>(name, defaultValue, std::move(settings));
  trace("registerCvar " + name + " " + quote(defaultValue));
  const auto stored = stored_.find(name);
  if (stored != stored_.end()) {
    if (configDelay_ == 0) {
      applyStored(name, stored->second);
    } else {
      scheduler_.schedule(configDelay_, TaskKind::ConfigApplication,
                          [this, name, value = stored->second] { applyStored(name, value); });
    }
  }
  return *slot;
}

void Host::applyStored(const std::string& name, const std::string& value) {
  if (auto* variable = findCvar(name)) {
    variable->setText(value);
    trace("config " + name + " takes its stored value " + quote(value));
  }
}

ConsoleVariable* Host::findCvar(const std::string& name) const {
  const auto found = variables_.find(name);
  return found == variables_.end() ? nullptr : found->second.get();
}

bool Host::consoleSet(const std::string& name, const std::string& value) {
  auto* variable = findCvar(name);
  if (variable == nullptr) {
    return false;
  }
  variable->setText(value);
  trace("console " + name + " " + quote(value));
  return true;
}

void Host::executeCommand(const std::string& command) {
  commands_.add(command);
  if (traceSink_) {
    trace("executeCommand " + quote(command));
  }
  if (command == "writeconfig") {
    writeConfigFile();
  }
}

void Host::writeConfigFile() {
  for (const auto& [name, variable] : variables_) {
    if (variable->settings().save) {
      stored_.insert_or_assign(name, variable->text());
    }
  }
  if (!configFileWrites_) {
    return;
  }
  try {
    writeConfig(configFile_, stored_);
  } catch (const std::exception& error) {
    ioFailed("writeconfig: " + std::string(error.what()));
  }
}

const std::vector<std::string>& Host::executedCommands() const { return commands_.entries(); }

const std::filesystem::path& Host::configFile() const { return configFile_; }

const StoredValues& Host::storedValues() const { return stored_; }

void Host::setConfigDelay(double seconds) { configDelay_ = toMicroseconds(seconds); }

void Host::setConfigFileWrites(bool on) { configFileWrites_ = on; }

}  // namespace rafta::sim
