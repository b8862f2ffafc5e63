#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "bakkesmod/wrappers/wrapperstructs.h"

namespace rafta::sim {

// Everything an ActorWrapper may name. A handle holds the address of the Actor part, so any
// wrapper can read a location, and the typed wrappers find their kind by dynamic_cast.
struct Actor {
  Actor() = default;
  Actor(const Actor&) = delete;
  Actor& operator=(const Actor&) = delete;
  virtual ~Actor() = default;

  Vector location;
  Vector velocity;
};

struct PlayerId {
  std::string text;
};

struct PlayerRecord : Actor {
  PlayerId id;
  std::uint8_t team = 0;
};

struct Car : Actor {
  explicit Car(std::string carName) : name(std::move(carName)) { player.id.text = name; }

  std::string name;
  PlayerRecord player;
  bool hasPlayer = true;
};

struct Ball : Actor {};

[[nodiscard]] inline std::uintptr_t addressOf(const Actor* actor) {
  return reinterpret_cast<std::uintptr_t>(actor);
}

[[nodiscard]] inline const Actor* actorAt(std::uintptr_t address) {
  // NOLINTNEXTLINE(performance-no-int-to-ptr): handles are addresses
  return reinterpret_cast<const Actor*>(address);
}

}  // namespace rafta::sim
