#pragma once

#include <cstdint>

#include "bakkesmod/plugin/bakkesmodsdk.h"
#include "bakkesmod/wrappers/Engine/ActorWrapper.h"

// An actor that the physics moves.
class BAKKESMOD_PLUGIN_IMPORT RBActorWrapper : public ActorWrapper {
 public:
  RBActorWrapper(std::uintptr_t mem);
};
