#include "sim/host/HostConsole.h"

#include <exception>
#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>

#include "sim/handles/Handles.h"
#include "sim/numbers/Numbers.h"

namespace rafta::sim {

std::filesystem::path hostFolder(const std::filesystem::path& appData) {
  return appData / "bakkesmod" / "bakkesmod";
}

std::filesystem::path defaultConfigFile(const std::filesystem::path& appData) {
  return hostFolder(appData) / "cfg" / "config.cfg";
}

HostConsole::HostConsole(std::filesystem::path configFile, std::filesystem::path cfgFolder,
                         const HostBehaviour& behaviour, FaultInjector& faults, Reports& reports,
                         HostClock& clock)
    : configFile_(std::move(configFile)),
      cfgFolder_(std::move(cfgFolder)),
      behaviour_(behaviour),
      faults_(faults),
      reports_(reports),
      clock_(clock) {
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

// Its malformed lines are told when it is executed.
void HostConsole::readStored() { stored_ = readConfig(configFile_, {}); }

ConsoleVariable& HostConsole::registerCvar(const std::string& name, const std::string& defaultValue,
                                           CvarStorage storage) {
  auto& slot = variables_[name];
  if (slot) {
    return *slot;
  }
  slot = std::make_unique<ConsoleVariable>(name, defaultValue, storage, this);
  reports_.trace("registerCvar " + name + " " + quote(defaultValue));
  return *slot;
}

bool HostConsole::removeCvar(const std::string& name) {
  reports_.trace("removeCvar " + name);
  return variables_.erase(name) > 0;
}

void HostConsole::removeAllCvars() { variables_.clear(); }

ConsoleVariable* HostConsole::findCvar(const std::string& name) const {
  const auto found = variables_.find(name);
  return found == variables_.end() ? nullptr : found->second.get();
}

std::uintptr_t HostConsole::variableHandle(const std::string& name) {
  return faults_.handle(addressOfObject(findCvar(name)), "getCvar ", name);
}

void HostConsole::beforeRead(ConsoleVariable& variable) {
  if (auto text = faults_.consoleText(variable.name())) {
    variable.setText(std::move(*text));
  }
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
  std::vector<std::string> words;
  std::istringstream in(command);
  for (std::string word; in >> word;) {
    words.push_back(std::move(word));
  }
  commands_.add(std::move(command));
  if (!words.empty()) {
    runHostCommand(words);
  }
}

bool HostConsole::runHostCommand(const std::vector<std::string>& words) {
  if (words.front() == "writeconfig") {
    writeConfigFile();
    return true;
  }
  if (words.front() != "exec") {
    return false;
  }
  if (words.size() == 2) {
    executeCfg(cfgFileNamed(words[1]));
  } else {
    reports_.warn("exec: name one cfg file of " + cfgFolder_.string() + "; nothing executed");
  }
  return true;
}

std::filesystem::path HostConsole::cfgFileNamed(const std::string& name) const {
  return name == "config.cfg" ? configFile_ : cfgFolder_ / name;
}

void HostConsole::executeCfg(const std::filesystem::path& file) {
  StoredValues values;
  try {
    values = readConfig(file, [this](const std::string& message) { reports_.warn(message); });
  } catch (const std::exception& error) {
    reports_.warn(std::string(error.what()) + "; nothing of it was applied");
    return;
  }
  reports_.trace("exec " + file.filename().string());
  for (const auto& [name, value] : values) {
    if (auto* variable = findCvar(name)) {
      variable->setText(value);
      reports_.trace("config " + name + " takes its stored value " + quote(value));
    }
  }
  if (file == configFile_) {
    stored_ = std::move(values);
  }
}

void HostConsole::executeConfigAtGameStart() {
  const std::int64_t delay = toMicroseconds(behaviour_.configDelaySeconds);
  if (delay == 0) {
    executeCfg(configFile_);
  } else {
    clock_.schedule(delay, TaskKind::ConfigApplication, [this] { executeCfg(configFile_); });
  }
}

void HostConsole::writeConfigFile() {
  if (!behaviour_.keepUnknownLines) {
    stored_.clear();
  }
  for (const auto& [name, variable] : variables_) {
    if (variable->storage().saved) {
      stored_.insert_or_assign(name, variable->text());
    }
  }
  if (!behaviour_.writesConfigFile) {
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
