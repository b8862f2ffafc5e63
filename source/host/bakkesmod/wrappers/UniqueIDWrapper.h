#pragma once

#include <cstdint>
#include <string>

#include "bakkesmod/plugin/bakkesmodsdk.h"

// A player's unique id.
class BAKKESMOD_PLUGIN_IMPORT UniqueIDWrapper {
 public:
  explicit UniqueIDWrapper(std::uintptr_t mem);

  // "platform|account id|split-screen id"
  [[nodiscard]] std::string GetIdString() const;

 private:
  std::uintptr_t address;
};
