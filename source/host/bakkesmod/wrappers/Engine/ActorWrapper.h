#pragma once

#include <cstdint>

#include "bakkesmod/plugin/bakkesmodsdk.h"
#include "bakkesmod/wrappers/Engine/ObjectWrapper.h"
#include "bakkesmod/wrappers/wrapperstructs.h"

// Anything placed in the game: cars, the ball, players, the game state.
class BAKKESMOD_PLUGIN_IMPORT ActorWrapper : public ObjectWrapper {
 public:
  ActorWrapper(std::uintptr_t mem);

  bool IsNull();
  [[nodiscard]] bool IsNull() const;
  explicit operator bool();

  Vector GetLocation();
  Vector GetVelocity();
};
