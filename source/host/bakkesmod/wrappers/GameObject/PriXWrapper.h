#pragma once

#include <cstdint>

#include "bakkesmod/plugin/bakkesmodsdk.h"
#include "bakkesmod/wrappers/GameObject/PlayerReplicationInfoWrapper.h"

class BAKKESMOD_PLUGIN_IMPORT PriXWrapper : public PlayerReplicationInfoWrapper {
 public:
  PriXWrapper(std::uintptr_t mem);
};
