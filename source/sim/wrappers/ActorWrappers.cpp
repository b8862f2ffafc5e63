// The game-object wrappers: each reads the simulated game object its address names.
#include <string>
#include <string_view>
#include <utility>

#include "bakkesmod/wrappers/GameEvent/ServerWrapper.h"
#include "bakkesmod/wrappers/GameObject/CarWrapper.h"
#include "bakkesmod/wrappers/UniqueIDWrapper.h"
#include "sim/base/Handles.h"
#include "sim/base/Numbers.h"
#include "sim/faults/FaultInjector.h"
#include "sim/game/Game.h"

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

ObjectWrapper::ObjectWrapper(std::uintptr_t mem) : memory_address(mem) {}

ActorWrapper::ActorWrapper(std::uintptr_t mem) : ObjectWrapper(mem) {}

// The host interface declares these non-const, as the host it stands in for does.
// NOLINTBEGIN(readability-make-member-function-const)

bool ActorWrapper::IsNull() { return memory_address == 0; }

bool ActorWrapper::IsNull() const { return memory_address == 0; }

ActorWrapper::operator bool() { return memory_address != 0; }

Vector ActorWrapper::GetLocation() {
  const auto* actor = actorAt(memory_address);
  return vector(actor != nullptr ? actor->location : Vector(), "GetLocation");
}

Vector ActorWrapper::GetVelocity() {
  const auto* actor = actorAt(memory_address);
  return vector(actor != nullptr ? actor->velocity : Vector(), "GetVelocity");
}

RBActorWrapper::RBActorWrapper(std::uintptr_t mem) : ActorWrapper(mem) {}

BallWrapper::BallWrapper(std::uintptr_t mem) : RBActorWrapper(mem) {}

VehicleWrapper::VehicleWrapper(std::uintptr_t mem) : RBActorWrapper(mem) {}

PriWrapper VehicleWrapper::GetPRI() {
  const auto* car = as<rafta::sim::Car>(memory_address);
  return {handle(car != nullptr && car->hasPlayer ? addressOf(&car->player) : 0, "GetPRI")};
}

CarWrapper::CarWrapper(std::uintptr_t mem) : VehicleWrapper(mem) {}

PlayerReplicationInfoWrapper::PlayerReplicationInfoWrapper(std::uintptr_t mem)
    : ActorWrapper(mem) {}

UniqueIDWrapper PlayerReplicationInfoWrapper::GetUniqueIdWrapper() {
  const auto* player = as<rafta::sim::PlayerRecord>(memory_address);
  return UniqueIDWrapper(handle(player != nullptr ? rafta::sim::addressOfObject(&player->id) : 0,
                                "GetUniqueIdWrapper"));
}

unsigned char PlayerReplicationInfoWrapper::GetTeamNum() {
  const auto* player = as<rafta::sim::PlayerRecord>(memory_address);
  const unsigned char team = player != nullptr ? player->team : 0;
  auto* faults = rafta::sim::armedInjector();
  return faults != nullptr ? faults->team(team) : team;
}

PriXWrapper::PriXWrapper(std::uintptr_t mem) : PlayerReplicationInfoWrapper(mem) {}

PriWrapper::PriWrapper(std::uintptr_t mem) : PriXWrapper(mem) {}

GameEventWrapper::GameEventWrapper(std::uintptr_t mem) : ActorWrapper(mem) {}

TeamGameEventWrapper::TeamGameEventWrapper(std::uintptr_t mem) : GameEventWrapper(mem) {}

ServerWrapper::ServerWrapper(std::uintptr_t mem) : TeamGameEventWrapper(mem) {}

BallWrapper ServerWrapper::GetBall() {
  const auto* game = as<rafta::sim::Game>(memory_address);
  return {handle(game != nullptr ? game->ballAddress() : 0, "GetBall")};
}

float ServerWrapper::GetSecondsElapsed() {
  const auto* game = as<rafta::sim::Game>(memory_address);
  const float seconds = game != nullptr ? rafta::sim::toFloat(game->clock()) : 0.0F;
  auto* faults = rafta::sim::armedInjector();
  return faults != nullptr ? faults->number(seconds, "GetSecondsElapsed") : seconds;
}

// NOLINTEND(readability-make-member-function-const)

UniqueIDWrapper::UniqueIDWrapper(std::uintptr_t mem) : address(mem) {}

std::string UniqueIDWrapper::GetIdString() const {
  const auto* id = rafta::sim::objectAt<const rafta::sim::PlayerId>(address);
  std::string text = id != nullptr ? id->text : std::string();
  auto* faults = rafta::sim::armedInjector();
  return faults != nullptr ? faults->id(std::move(text)) : text;
}
