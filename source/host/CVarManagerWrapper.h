#pragma once

#include <cstdint>
#include <string>

#include "CVarWrapper.h"
#include "HostApi.h"

// The host's console: its variables, its commands and its log.
class HOST_API CVarManagerWrapper {
 public:
  explicit CVarManagerWrapper(std::uintptr_t mem);

  CVarWrapper registerCvar(const std::string& name, const std::string& defaultValue,
                           const std::string& description = "", bool searchable = true,
                           bool hasMin = false, float min = 0.0F, bool hasMax = false,
                           float max = 0.0F, bool saveToConfig = true);
  // Null when no variable of that name is registered.
  [[nodiscard]] CVarWrapper getCvar(const std::string& name) const;
  // One line on the host console, handed over byte for byte.
  void log(const std::string& text);
  void executeCommand(const std::string& command, bool log = true);

 private:
  std::uintptr_t address;
};
