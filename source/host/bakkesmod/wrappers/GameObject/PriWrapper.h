#pragma once

#include <cstdint>

#include "bakkesmod/plugin/bakkesmodsdk.h"
#include "bakkesmod/wrappers/GameObject/PriXWrapper.h"

class BAKKESMOD_PLUGIN_IMPORT PriWrapper : public PriXWrapper {
 public:
  PriWrapper(std::uintptr_t mem);
};
