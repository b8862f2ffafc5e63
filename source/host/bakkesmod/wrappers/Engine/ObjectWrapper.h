#pragma once

#include <cstdint>

#include "bakkesmod/plugin/bakkesmodsdk.h"

// A handle on an object of the game: its address, or 0 for none. Copies name the same object;
// none of them owns it.
class BAKKESMOD_PLUGIN_IMPORT ObjectWrapper {
 public:
  ObjectWrapper(std::uintptr_t mem);

  std::uintptr_t memory_address;
};
