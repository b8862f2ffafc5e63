#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sim/base/Text.h"
#include "sim/console/ConfigFile.h"
#include "sim/console/ConsoleVariable.h"
#include "sim/host/RecentHistory.h"
#include "sim/host/Reports.h"
#include "sim/host/Scheduler.h"

namespace rafta::sim {

// Where the host keeps its configuration file when none is named.
[[nodiscard]] std::filesystem::path defaultConfigFile(const std::filesystem::path& appData);

// The host's console: the variables plugins register, the configuration file that stores them
// across runs of the game, the console commands plugins execute, and the log.
class HostConsole {
 public:
  // Reads the configuration file at once. Stored values are applied on `clock`.
  HostConsole(std::filesystem::path configFile, Reports& reports, Scheduler& clock);

  // The log, raw bytes as the plugin handed them over.
  void log(std::string line);
  // The recent lines (at least the last 256), oldest first.
  [[nodiscard]] const std::vector<std::string>& logLines() const;
  void setLogSink(TextSink sink);

  // A registered name keeps its variable and value: a plugin loaded again without a restart.
  ConsoleVariable& registerCvar(const std::string& name, const std::string& defaultValue,
                                CvarSettings settings);
  [[nodiscard]] ConsoleVariable* findCvar(const std::string& name) const;
  // The user typed `NAME VALUE` at the console; false when no such variable is registered.
  bool consoleSet(const std::string& name, const std::string& value);

  // A console command, as a plugin executes it; "writeconfig" writes the configuration file.
  void executeCommand(std::string command);
  // The recent commands (at least the last 256), oldest first.
  [[nodiscard]] const std::vector<std::string>& executedCommands() const;

  [[nodiscard]] const std::filesystem::path& configFile() const;
  [[nodiscard]] const StoredValues& storedValues() const;
  void setConfigDelay(double seconds);
  // Off, writeconfig still records the command and takes the values, but leaves the file alone:
  // benchmarks time the plugin, not the disk.
  void setConfigFileWrites(bool on);

  // The game restarts: every variable is forgotten, and the configuration file is read again,
  // once `appended` (garbage a fault adds, or nothing) is added to its end.
  void restart(const std::string& appended);

 private:
  void readStored();
  void applyStored(const std::string& name, const std::string& value);
  void writeConfigFile();

  std::filesystem::path configFile_;
  Reports& reports_;
  Scheduler& clock_;
  TextSink logSink_;
  // Only what checks and tests read back, so that a session of any length runs in bounded memory;
  // --trace prints everything as it happens.
  RecentHistory<std::string> log_{256};
  RecentHistory<std::string> commands_{256};
  std::map<std::string, std::unique_ptr<ConsoleVariable>> variables_;
  StoredValues stored_;
  std::int64_t configDelay_ = 0;
  bool configFileWrites_ = true;
  bool leftTemporariesRemoved_ = false;  // by the first write; see removeLeftTemporaries
};

}  // namespace rafta::sim
