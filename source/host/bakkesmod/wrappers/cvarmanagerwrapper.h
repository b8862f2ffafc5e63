#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bakkesmod/plugin/bakkesmodsdk.h"
#include "bakkesmod/wrappers/cvarwrapper.h"

// The host's console: its variables, its commands and its log.
class BAKKESMOD_PLUGIN_IMPORT CVarManagerWrapper {
 public:
  explicit CVarManagerWrapper(std::uintptr_t mem);

  CVarWrapper registerCvar(std::string cvar, std::string defaultValue, std::string desc = "",
                           bool searchAble = true, bool hasMin = false, float min = 0,
                           bool hasMax = false, float max = 0, bool saveToCfg = true);
  // Null when no variable of that name is registered.
  CVarWrapper getCvar(std::string cvar);
  // False when no variable of that name was registered; its value is gone.
  bool removeCvar(std::string cvar);
  // Executes a cfg file of `name "value"` lines: each registered variable it names takes the
  // value. A missing file changes nothing.
  void loadCfg(std::string path);
  // One line on the host console, handed over byte for byte.
  void log(std::string text);
  void log(std::wstring text);
  // The host's own commands run too: "writeconfig", "exec NAME.cfg" (a file of its cfg folder).
  void executeCommand(std::string command, bool log = true);

  // A console command: the notifier receives the words typed, the command's own name first.
  // permissions is a NOTIFIER_PERMISSION.
  void registerNotifier(std::string name, std::function<void(std::vector<std::string>)> notifier,
                        std::string description, unsigned char permissions);
  // False when no such command was registered.
  bool removeNotifier(std::string name);

 private:
  std::uintptr_t address;
};
