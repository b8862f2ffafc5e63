#pragma once

#include <cstdint>
#include <string>

#include "bakkesmod/plugin/bakkesmodsdk.h"
#include "bakkesmod/wrappers/wrapperstructs.h"

// A console variable of the host, or nothing. Plugins look a variable up by name when they need
// it; the host may forget it (on a restart), so a handle is kept no longer than one call.
class BAKKESMOD_PLUGIN_IMPORT CVarWrapper {
 public:
  explicit CVarWrapper(std::uintptr_t mem);

  bool IsNull();
  bool getBoolValue();
  int getIntValue();
  float getFloatValue();
  void setValue(std::string value);
  void setValue(int value);
  void setValue(float value);
  void setValue(LinearColor value);

 private:
  std::uintptr_t address;
};
