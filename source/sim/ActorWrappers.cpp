#include "ActorWrappers.h"

#include "Game.h"
#include "GameObjects.h"
#include "HostAccess.h"
#include "Numeric.h"

using rafta::sim::actorAt;
using rafta::sim::addressOf;

namespace {

template <typename T>
const T* as(std::uintptr_t address) {
  return dynamic_cast<const T*>(actorAt(address));
}

}  // namespace

ActorWrapper::ActorWrapper(std::uintptr_t mem) : address(mem) {}

bool ActorWrapper::IsNull() const { return address == 0; }

Vector ActorWrapper::GetLocation() const {
  const auto* actor = actorAt(address);
  return actor != nullptr ? actor->location : Vector{};
}

Vector ActorWrapper::GetVelocity() const {
  const auto* actor = actorAt(address);
  return actor != nullptr ? actor->velocity : Vector{};
}

std::uintptr_t ActorWrapper::memory_address() const { return address; }

UniqueIDWrapper::UniqueIDWrapper(std::uintptr_t mem) : address(mem) {}

std::string UniqueIDWrapper::GetIdString() const {
  const auto* id = rafta::sim::objectAt<const rafta::sim::PlayerId>(address);
  return id != nullptr ? id->text : std::string();
}

std::uintptr_t UniqueIDWrapper::memory_address() const { return address; }

PlayerReplicationInfoWrapper::PlayerReplicationInfoWrapper(std::uintptr_t mem)
    : ActorWrapper(mem) {}

UniqueIDWrapper PlayerReplicationInfoWrapper::GetUniqueIdWrapper() const {
  const auto* player = as<rafta::sim::PlayerRecord>(memory_address());
  return UniqueIDWrapper(player != nullptr ? rafta::sim::addressOfObject(&player->id) : 0);
}

std::uint8_t PlayerReplicationInfoWrapper::GetTeamNum() const {
  const auto* player = as<rafta::sim::PlayerRecord>(memory_address());
  return player != nullptr ? player->team : std::uint8_t{0};
}

PriWrapper::PriWrapper(std::uintptr_t mem) : PlayerReplicationInfoWrapper(mem) {}

VehicleWrapper::VehicleWrapper(std::uintptr_t mem) : ActorWrapper(mem) {}

PriWrapper VehicleWrapper::GetPRI() const {
  const auto* car = as<rafta::sim::Car>(memory_address());
  return PriWrapper(car != nullptr && car->hasPlayer ? addressOf(&car->player) : 0);
}

CarWrapper::CarWrapper(std::uintptr_t mem) : VehicleWrapper(mem) {}

BallWrapper::BallWrapper(std::uintptr_t mem) : ActorWrapper(mem) {}

ServerWrapper::ServerWrapper(std::uintptr_t mem) : ActorWrapper(mem) {}

BallWrapper ServerWrapper::GetBall() const {
  const auto* game = as<rafta::sim::Game>(memory_address());
  return BallWrapper(game != nullptr ? game->ballAddress() : 0);
}

float ServerWrapper::GetSecondsElapsed() const {
  const auto* game = as<rafta::sim::Game>(memory_address());
  return game != nullptr ? rafta::sim::toFloat(game->clock()) : 0.0F;
}
