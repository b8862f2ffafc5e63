#pragma once

#include <cstdint>

#include "bakkesmod/plugin/bakkesmodsdk.h"
#include "bakkesmod/wrappers/Engine/ActorWrapper.h"
#include "bakkesmod/wrappers/UniqueIDWrapper.h"

// What the game knows of a player: who, and in which team.
class BAKKESMOD_PLUGIN_IMPORT PlayerReplicationInfoWrapper : public ActorWrapper {
 public:
  PlayerReplicationInfoWrapper(std::uintptr_t mem);

  UniqueIDWrapper GetUniqueIdWrapper();
  unsigned char GetTeamNum();
};
