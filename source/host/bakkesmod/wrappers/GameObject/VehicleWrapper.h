#pragma once

#include <cstdint>

#include "bakkesmod/plugin/bakkesmodsdk.h"
#include "bakkesmod/wrappers/GameObject/PriWrapper.h"
#include "bakkesmod/wrappers/GameObject/RBActorWrapper.h"

class BAKKESMOD_PLUGIN_IMPORT VehicleWrapper : public RBActorWrapper {
 public:
  VehicleWrapper(std::uintptr_t mem);

  // The driver's player info; null for a car nobody drives.
  PriWrapper GetPRI();
};
