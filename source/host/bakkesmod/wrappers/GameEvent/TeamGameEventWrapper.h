#pragma once

#include <cstdint>

#include "bakkesmod/plugin/bakkesmodsdk.h"
#include "bakkesmod/wrappers/GameEvent/GameEventWrapper.h"

class BAKKESMOD_PLUGIN_IMPORT TeamGameEventWrapper : public GameEventWrapper {
 public:
  TeamGameEventWrapper(std::uintptr_t mem);
};
