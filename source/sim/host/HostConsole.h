#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sim/console/ConfigFile.h"
#include "sim/console/ConsoleVariable.h"
#include "sim/faults/FaultInjector.h"
#include "sim/host/HostBehaviour.h"
#include "sim/host/HostClock.h"
#include "sim/host/RecentHistory.h"
#include "sim/host/Reports.h"
#include "sim/text/Text.h"

namespace rafta::sim {

// The host's own folder under the application-data folder; its cfg files are in `cfg/`.
[[nodiscard]] std::filesystem::path hostFolder(const std::filesystem::path& appData);
// Where the host keeps its configuration file when none is named.
[[nodiscard]] std::filesystem::path defaultConfigFile(const std::filesystem::path& appData);

// The host's console: the variables plugins register, the configuration file that stores them
// across runs of the game, the console commands, and the log. As on the real host a variable has
// no memory of its own: it takes a stored value only when a cfg file is executed or a value typed.
// Every answer about a variable passes here, as every answer about the game passes GameQueries:
// first the fault check, then what it answers.
class HostConsole final : public VariableReads {
 public:
  // Reads the configuration file at once, so that a run with an unreadable one stops before it
  // starts. `cfgFolder` holds the files that `exec NAME` names.
  HostConsole(std::filesystem::path configFile, std::filesystem::path cfgFolder,
              const HostBehaviour& behaviour, FaultInjector& faults, Reports& reports,
              HostClock& clock);

  // The log, raw bytes as the plugin handed them over.
  void log(std::string line);
  // The recent lines (at least the last 256), oldest first.
  [[nodiscard]] const std::vector<std::string>& logLines() const;
  void setLogSink(TextSink sink);

  // A registered name keeps its variable and value; a new one starts at its default.
  ConsoleVariable& registerCvar(const std::string& name, const std::string& defaultValue,
                                CvarStorage storage);
  [[nodiscard]] ConsoleVariable* findCvar(const std::string& name) const;
  // What getCvar answers a plugin: the variable's handle, or a null one for a name nobody
  // registered or when a fault says so.
  [[nodiscard]] std::uintptr_t variableHandle(const std::string& name);
  // A plugin reads the variable: the user may have typed something hostile into it just before.
  void beforeRead(ConsoleVariable& variable) override;
  // False when no such variable is registered. Its value is gone.
  bool removeCvar(const std::string& name);
  // The plugin was unloaded: its variables go with it.
  void removeAllCvars();
  // The user typed `NAME VALUE` at the console; false when no such variable is registered.
  bool consoleSet(const std::string& name, const std::string& value);

  // A console command, as a plugin executes it; the host's own ("writeconfig", "exec FILE") run.
  void executeCommand(std::string command);
  // The host's own console commands, by their words; false for any other command.
  bool runHostCommand(const std::vector<std::string>& words);
  // Executes a cfg file: every registered variable it names takes the value it holds now. A
  // missing file is an empty one; one that cannot be read is warned about and applies nothing.
  void executeCfg(const std::filesystem::path& file);
  // At a game start the host executes its configuration file once the plugins are loaded:
  // `config-delay` after now.
  void executeConfigAtGameStart();
  // The host writes its configuration file (writeconfig, the settings window closed).
  void writeConfigFile();
  // The recent commands (at least the last 256), oldest first.
  [[nodiscard]] const std::vector<std::string>& executedCommands() const;

  [[nodiscard]] const std::filesystem::path& configFile() const;
  [[nodiscard]] const StoredValues& storedValues() const;

  // The game restarts: every variable is forgotten, and the configuration file is read again,
  // once `appended` (garbage a fault adds, or nothing) is added to its end.
  void restart(const std::string& appended);

 private:
  void readStored();
  // The file `exec NAME` names: the configuration file for its own name, wherever it is.
  [[nodiscard]] std::filesystem::path cfgFileNamed(const std::string& name) const;

  std::filesystem::path configFile_;
  std::filesystem::path cfgFolder_;
  const HostBehaviour& behaviour_;
  FaultInjector& faults_;
  Reports& reports_;
  HostClock& clock_;
  TextSink logSink_;
  // Only what checks and tests read back, so that a session of any length runs in bounded memory;
  // --trace prints everything as it happens.
  RecentHistory<std::string> log_{256};
  RecentHistory<std::string> commands_{256};
  std::map<std::string, std::unique_ptr<ConsoleVariable>> variables_;
  StoredValues stored_;
  bool leftTemporariesRemoved_ = false;  // by the first write; see removeLeftTemporaries
};

}  // namespace rafta::sim
