#pragma once

#include <cstdint>
#include <string>

#include "HostApi.h"
#include "WrapperStructs.h"

// Game-object handles: a small value naming an object of the host's game, or nothing (address 0).
// Copies name the same object; none of them owns it.
class HOST_API ActorWrapper {
 public:
  explicit ActorWrapper(std::uintptr_t mem = 0);
  [[nodiscard]] bool IsNull() const;
  [[nodiscard]] Vector GetLocation() const;
  [[nodiscard]] Vector GetVelocity() const;
  [[nodiscard]] std::uintptr_t memory_address() const;

 private:
  std::uintptr_t address;
};

class HOST_API UniqueIDWrapper {
 public:
  explicit UniqueIDWrapper(std::uintptr_t mem = 0);
  [[nodiscard]] std::string GetIdString() const;
  [[nodiscard]] std::uintptr_t memory_address() const;

 private:
  std::uintptr_t address;
};

class HOST_API PlayerReplicationInfoWrapper : public ActorWrapper {
 public:
  explicit PlayerReplicationInfoWrapper(std::uintptr_t mem = 0);
  [[nodiscard]] UniqueIDWrapper GetUniqueIdWrapper() const;
  [[nodiscard]] std::uint8_t GetTeamNum() const;
};

class HOST_API PriWrapper : public PlayerReplicationInfoWrapper {
 public:
  explicit PriWrapper(std::uintptr_t mem = 0);
};

class HOST_API VehicleWrapper : public ActorWrapper {
 public:
  explicit VehicleWrapper(std::uintptr_t mem = 0);
  [[nodiscard]] PriWrapper GetPRI() const;
};

class HOST_API CarWrapper : public VehicleWrapper {
 public:
  explicit CarWrapper(std::uintptr_t mem = 0);
};

class HOST_API BallWrapper : public ActorWrapper {
 public:
  explicit BallWrapper(std::uintptr_t mem = 0);
};

// The current game state; null outside a game.
class HOST_API ServerWrapper : public ActorWrapper {
 public:
  explicit ServerWrapper(std::uintptr_t mem = 0);
  [[nodiscard]] BallWrapper GetBall() const;
  [[nodiscard]] float GetSecondsElapsed() const;
};
