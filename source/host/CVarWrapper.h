#pragma once

#include <cstdint>

#include "HostApi.h"

// A console variable of the host, or nothing. Plugins look a variable up by name when they need
// it; the host may forget it (on a restart), so a handle is kept no longer than one call.
class HOST_API CVarWrapper {
 public:
  explicit CVarWrapper(std::uintptr_t mem = 0);
  [[nodiscard]] bool IsNull() const;
  [[nodiscard]] bool getBoolValue() const;
  [[nodiscard]] int getIntValue() const;
  [[nodiscard]] float getFloatValue() const;
  void setValue(int value) const;
  void setValue(float value) const;
  [[nodiscard]] std::uintptr_t memory_address() const;

 private:
  std::uintptr_t address;
};
