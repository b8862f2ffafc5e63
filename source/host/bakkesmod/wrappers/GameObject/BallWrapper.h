#pragma once

#include <cstdint>

#include "bakkesmod/plugin/bakkesmodsdk.h"
#include "bakkesmod/wrappers/GameObject/RBActorWrapper.h"

class BAKKESMOD_PLUGIN_IMPORT BallWrapper : public RBActorWrapper {
 public:
  BallWrapper(std::uintptr_t mem);
};
