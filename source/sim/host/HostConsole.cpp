#include "sim/host/HostConsole.h"

#include <exception>
#include <fstream>
#include <system_error>
#include <utility>

#include "sim/base/Numbers.h"

namespace rafta::sim {

std::filesystem::path defaultConfigFile(const std::filesystem::path& appData) {
  return appData / "bakkesmod" / "bakkesmod" / "cfg" / "config.cfg";
}

HostConsole::HostConsole(std::filesystem::path configFile, Reports& reports, Scheduler& clock)
    : configFile_(std::move(configFile)), reports_(reports), clock_(clock) {
  readStored();
}

void HostConsole::log(std::string line) {
  log_.add(std::move(line));
  if (logSink_) {
    logSink_(log_.entries().back());
  }
}

const std::vector<std::string>& HostConsole::logLines() const { return log_.entries(); }

void HostConsole::setLogSink(TextSink sink) { logSink_ = std::move(sink); }

void HostConsole::readStored() {
  stored_ = readConfig(configFile_, [this](const std::string& message) { reports_.warn(message); });
}

ConsoleVariable& HostConsole::registerCvar(const std::string& name, const std::string& defaultValue,
                                           CvarSettings settings) {
  auto& slot = variables_[name];
  if (slot) {
    return *slot;
  }
  slot = std::make_unique<ConsoleVariable>(name, defaultValue, std::move(settings));
  reports_.trace("registerCvar " + name + " " + quote(defaultValue));
  const auto stored = stored_.find(name);
  if (stored != stored_.end()) {
    if (configDelay_ == 0) {
      applyStored(name, stored->second);
    } else {
      clock_.schedule(configDelay_, TaskKind::ConfigApplication,
                      [this, name, value = stored->second] { applyStored(name, value); });
    }
  }
  return *slot;
}

void HostConsole::applyStored(const std::string& name, const std::string& value) {
  if (auto* variable = findCvar(name)) {
    variable->setText(value);
    reports_.trace("config " + name + " takes its stored value " + quote(value));
  }
}

ConsoleVariable* HostConsole::findCvar(const std::string& name) const {
  const auto found = variables_.find(name);
  return found == variables_.end() ? nullptr : found->second.get();
}

bool HostConsole::consoleSet(const std::string& name, const std::string& value) {
  auto* variable = findCvar(name);
  if (variable == nullptr) {
    return false;
  }
  variable->setText(value);
  reports_.trace("console " + name + " " + quote(value));
  return true;
}

void HostConsole::executeCommand(std::string command) {
  if (reports_.tracing()) {
    reports_.trace("executeCommand " + quote(command));
  }
  const bool writesConfig = command == "writeconfig";
  commands_.add(std::move(command));
  if (writesConfig) {
    writeConfigFile();
  }
}

void HostConsole::writeConfigFile() {
  for (const auto& [name, variable] : variables_) {
    if (variable->settings().save) {
      stored_.insert_or_assign(name, variable->text());
    }
  }
  if (!configFileWrites_) {
    return;
  }
  try {
    if (!leftTemporariesRemoved_) {
      removeLeftTemporaries(configFile_);
      leftTemporariesRemoved_ = true;
    }
    writeConfig(configFile_, stored_);
  } catch (const std::exception& error) {
    reports_.ioFailed("writeconfig: " + std::string(error.what()));
  }
}

const std::vector<std::string>& HostConsole::executedCommands() const {
  return commands_.entries();
}

const std::filesystem::path& HostConsole::configFile() const { return configFile_; }

const StoredValues& HostConsole::storedValues() const { return stored_; }

void HostConsole::setConfigDelay(double seconds) { configDelay_ = toMicroseconds(seconds); }

void HostConsole::setConfigFileWrites(bool on) { configFileWrites_ = on; }

void HostConsole::restart(const std::string& appended) {
  variables_.clear();
  if (!appended.empty()) {
    std::error_code ignored;
    std::filesystem::create_directories(configFile_.parent_path(), ignored);
    std::ofstream(configFile_, std::ios::binary | std::ios::app) << appended;
  }
  readStored();
}

}  // namespace rafta::sim
