#pragma once

#include <cstdint>

#include "bakkesmod/plugin/bakkesmodsdk.h"
#include "bakkesmod/wrappers/GameObject/VehicleWrapper.h"

class BAKKESMOD_PLUGIN_IMPORT CarWrapper : public VehicleWrapper {
 public:
  CarWrapper(std::uintptr_t mem);
};
