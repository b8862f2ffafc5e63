#pragma once

#include <cstdint>

#include "bakkesmod/plugin/bakkesmodsdk.h"
#include "bakkesmod/wrappers/GameEvent/TeamGameEventWrapper.h"
#include "bakkesmod/wrappers/GameObject/BallWrapper.h"

// The current game state; null outside a game.
class BAKKESMOD_PLUGIN_IMPORT ServerWrapper : public TeamGameEventWrapper {
 public:
  ServerWrapper(std::uintptr_t mem);

  BallWrapper GetBall();
  // Game time of the current match.
  float GetSecondsElapsed();
};
