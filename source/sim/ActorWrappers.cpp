#include "ActorWrappers.h"

#include <string>
#include <string_view>
#include <utility>

#include "FaultInjection.h"
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

// The armed injector's version of an answer, or the answer itself.
std::uintptr_t handle(std::uintptr_t address, std::string_view what) {
  auto* faults = rafta::sim::armedInjector();
  return faults != nullptr ? faults->handle(address, what) : address;
}

Vector vector(Vector value, std::string_view what) {
  auto* faults = rafta::sim::armedInjector();
  return faults != nullptr ? faults->vector(value, what) : value;
}

}  // namespace

ActorWrapper::ActorWrapper(std::uintptr_t mem) : address(mem) {}

bool ActorWrapper::IsNull() const { return address == 0; }

Vector ActorWrapper::GetLocation() const {
  const auto* actor = actorAt(address);
  return vector(actor != nullptr ? actor->location : Vector{}, "GetLocation");
}

Vector ActorWrapper::GetVelocity() const {
  const auto* actor = actorAt(address);
  return vector(actor != nullptr ? actor->velocity : Vector{}, "GetVelocity");
}

std::uintptr_t ActorWrapper::memory_address() const { return address; }

UniqueIDWrapper::UniqueIDWrapper(std::uintptr_t mem) : address(mem) {}

std::string UniqueIDWrapper::GetIdString() const {
  const auto* id = rafta::sim::objectAt<const rafta::sim::PlayerId>(address);
  std::string text = id != nullptr ? id->text : std::string();
  auto* faults = rafta::sim::armedInjector();
  return faults != nullptr ? faults->id(std::move(text)) : text;
}

std::uintptr_t UniqueIDWrapper::memory_address() const { return address; }

PlayerReplicationInfoWrapper::PlayerReplicationInfoWrapper(std::uintptr_t mem)
    : ActorWrapper(mem) {}

UniqueIDWrapper PlayerReplicationInfoWrapper::GetUniqueIdWrapper() const {
  const auto* player = as<rafta::sim::PlayerRecord>(memory_address());
  return UniqueIDWrapper(handle(player != nullptr ? rafta::sim::addressOfObject(&player->id) : 0,
                                "GetUniqueIdWrapper"));
}

std::uint8_t PlayerReplicationInfoWrapper::GetTeamNum() const {
  const auto* player = as<rafta::sim::PlayerRecord>(memory_address());
  const std::uint8_t team = player != nullptr ? player->team : std::uint8_t{0};
  auto* faults = rafta::sim::armedInjector();
  return faults != nullptr ? faults->team(team) : team;
}

PriWrapper::PriWrapper(std::uintptr_t mem) : PlayerReplicationInfoWrapper(mem) {}

VehicleWrapper::VehicleWrapper(std::uintptr_t mem) : ActorWrapper(mem) {}

PriWrapper VehicleWrapper::GetPRI() const {
  const auto* car = as<rafta::sim::Car>(memory_address());
  return PriWrapper(
      handle(car != nullptr && car->hasPlayer ? addressOf(&car->player) : 0, "GetPRI"));
}

CarWrapper::CarWrapper(std::uintptr_t mem) : VehicleWrapper(mem) {}

BallWrapper::BallWrapper(std::uintptr_t mem) : ActorWrapper(mem) {}

ServerWrapper::ServerWrapper(std::uintptr_t mem) : ActorWrapper(mem) {}

BallWrapper ServerWrapper::GetBall() const {
  const auto* game = as<rafta::sim::Game>(memory_address());
  return BallWrapper(handle(game != nullptr ? game->ballAddress() : 0, "GetBall"));
}

float ServerWrapper::GetSecondsElapsed() const {
  const auto* game = as<rafta::sim::Game>(memory_address());
  const float seconds = game != nullptr ? rafta::sim::toFloat(game->clock()) : 0.0F;
  auto* faults = rafta::sim::armedInjector();
  return faults != nullptr ? faults->number(seconds, "GetSecondsElapsed") : seconds;
}
