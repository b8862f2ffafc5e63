#pragma once

#include <cstdint>
#include <string>

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
  // One line on the host console, handed over byte for byte.
  void log(std::string text);
  void log(std::wstring text);
  void executeCommand(std::string command, bool log = true);

 private:
  std::uintptr_t address;
};
