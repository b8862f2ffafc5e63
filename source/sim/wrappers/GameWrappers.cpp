// The game's wrappers: the game wrapper, which asks the host and hands it the plugin's callbacks,
// and the game-object wrappers, each asking about the simulated object its address names. Every
// answer comes from the host's GameQueries, the one place that checks faults, records and traces.
#include "bakkesmod/wrappers/GameWrapper.h"

#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "bakkesmod/wrappers/GameEvent/ServerWrapper.h"
#include "bakkesmod/wrappers/GameObject/CarWrapper.h"
#include "bakkesmod/wrappers/UniqueIDWrapper.h"
#include "sim/handles/Handles.h"
#include "sim/host/Host.h"

// The wrappers are the host interface's own classes, implemented over the host's objects.
using namespace rafta::sim;

namespace {

// A question to the host that a wrapper holds the address of; `none` without one.
template <typename Answer, typename Ask>
Answer ask(std::uintptr_t host, Answer none, Ask&& question) {
  auto* target = objectAt<Host>(host);
  return target != nullptr ? question(target->queries()) : none;
}

bool ask(std::uintptr_t host, Query query) {
  return ask(host, false, [query](auto& queries) { return queries.ask(query); });
}

}  // namespace

// --- The game wrapper ---------------------------------------------------------------------------

GameWrapper::GameWrapper(std::uintptr_t mem) : address(mem) {}

// The host interface declares these non-const, as the host it stands in for does.
// NOLINTBEGIN(readability-make-member-function-const)

void GameWrapper::HookEvent(std::string eventName,
                            std::function<void(std::string eventName)> callback) {
  if (auto* host = objectAt<Host>(address)) {
    host->hooks().hookPlain(eventName, std::move(callback));
  }
}

// The host passes the caller as an address; the hook sees it as the type it asked for.
template <typename T, std::enable_if_t<std::is_base_of_v<ObjectWrapper, T>>*>
void GameWrapper::HookEventWithCaller(
    std::string eventName,
    std::function<void(T caller, void* params, std::string eventName)> callback) {
  if (auto* host = objectAt<Host>(address)) {
    host->hooks().hookWithCaller(
        eventName,
        [callback = std::move(callback)](std::uintptr_t caller, void* params, std::string name) {
          callback(T(caller), params, std::move(name));
        });
  }
}

template void GameWrapper::HookEventWithCaller<ActorWrapper>(
    std::string, std::function<void(ActorWrapper, void*, std::string)>);
template void GameWrapper::HookEventWithCaller<CarWrapper>(
    std::string, std::function<void(CarWrapper, void*, std::string)>);
template void GameWrapper::HookEventWithCaller<BallWrapper>(
    std::string, std::function<void(BallWrapper, void*, std::string)>);
template void GameWrapper::HookEventWithCaller<ServerWrapper>(
    std::string, std::function<void(ServerWrapper, void*, std::string)>);
template void GameWrapper::HookEventWithCaller<PriWrapper>(
    std::string, std::function<void(PriWrapper, void*, std::string)>);

void GameWrapper::UnhookEvent(std::string eventName) {
  if (auto* host = objectAt<Host>(address)) {
    host->hooks().unhook(eventName);
  }
}

void GameWrapper::RegisterDrawable(std::function<void(CanvasWrapper canvas)> callback) {
  if (auto* host = objectAt<Host>(address)) {
    host->frames().registerDrawable(std::move(callback));
  }
}

void GameWrapper::UnregisterDrawables() {
  if (auto* host = objectAt<Host>(address)) {
    host->frames().unregisterDrawables();
  }
}

void GameWrapper::SetTimeout(std::function<void(GameWrapper*)> theLambda, float time) {
  if (auto* host = objectAt<Host>(address)) {
    host->clock().setTimeout(std::move(theLambda), time);
  }
}

std::filesystem::path GameWrapper::GetBakkesModPath() {
  auto* host = objectAt<Host>(address);
  return host != nullptr ? host->folder() : std::filesystem::path();
}

std::filesystem::path GameWrapper::GetDataFolder() {
  auto* host = objectAt<Host>(address);
  return host != nullptr ? host->folder() / "data" : std::filesystem::path();
}

void GameWrapper::Execute(std::function<void(GameWrapper*)> theLambda) {
  if (auto* host = objectAt<Host>(address)) {
    host->hooks().execute(std::move(theLambda));
  }
}

Vector2 GameWrapper::GetScreenSize() {
  return ask(address, Vector2{0, 0}, [](auto& queries) { return queries.askScreenSize(); });
}

ServerWrapper GameWrapper::GetCurrentGameState() {
  return {ask(address, std::uintptr_t{0}, [](auto& queries) { return queries.askGameState(); })};
}

CarWrapper GameWrapper::GetLocalCar() {
  return {ask(address, std::uintptr_t{0}, [](auto& queries) { return queries.askLocalCar(); })};
}

bool GameWrapper::IsInGame() { return ask(address, Query::IsInGame); }

bool GameWrapper::IsInOnlineGame() { return ask(address, Query::IsInOnlineGame); }

bool GameWrapper::IsInReplay() { return ask(address, Query::IsInReplay); }

bool GameWrapper::IsInFreeplay() { return ask(address, Query::IsInFreeplay); }

bool GameWrapper::IsInCustomTraining() { return ask(address, Query::IsInCustomTraining); }

// --- The game-object wrappers -------------------------------------------------------------------

ObjectWrapper::ObjectWrapper(std::uintptr_t mem) : memory_address(mem) {}

ActorWrapper::ActorWrapper(std::uintptr_t mem) : ObjectWrapper(mem) {}

bool ActorWrapper::IsNull() { return memory_address == 0; }

bool ActorWrapper::IsNull() const { return memory_address == 0; }

ActorWrapper::operator bool() { return memory_address != 0; }

Vector ActorWrapper::GetLocation() {
  return GameQueries::forGameObjects().askLocation(memory_address);
}

Vector ActorWrapper::GetVelocity() {
  return GameQueries::forGameObjects().askVelocity(memory_address);
}

RBActorWrapper::RBActorWrapper(std::uintptr_t mem) : ActorWrapper(mem) {}

BallWrapper::BallWrapper(std::uintptr_t mem) : RBActorWrapper(mem) {}

VehicleWrapper::VehicleWrapper(std::uintptr_t mem) : RBActorWrapper(mem) {}

PriWrapper VehicleWrapper::GetPRI() {
  return {GameQueries::forGameObjects().askPlayer(memory_address)};
}

CarWrapper::CarWrapper(std::uintptr_t mem) : VehicleWrapper(mem) {}

PlayerReplicationInfoWrapper::PlayerReplicationInfoWrapper(std::uintptr_t mem)
    : ActorWrapper(mem) {}

UniqueIDWrapper PlayerReplicationInfoWrapper::GetUniqueIdWrapper() {
  return UniqueIDWrapper(GameQueries::forGameObjects().askUniqueId(memory_address));
}

unsigned char PlayerReplicationInfoWrapper::GetTeamNum() {
  return GameQueries::forGameObjects().askTeam(memory_address);
}

PriXWrapper::PriXWrapper(std::uintptr_t mem) : PlayerReplicationInfoWrapper(mem) {}

PriWrapper::PriWrapper(std::uintptr_t mem) : PriXWrapper(mem) {}

GameEventWrapper::GameEventWrapper(std::uintptr_t mem) : ActorWrapper(mem) {}

TeamGameEventWrapper::TeamGameEventWrapper(std::uintptr_t mem) : GameEventWrapper(mem) {}

ServerWrapper::ServerWrapper(std::uintptr_t mem) : TeamGameEventWrapper(mem) {}

BallWrapper ServerWrapper::GetBall() {
  return {GameQueries::forGameObjects().askBall(memory_address)};
}

float ServerWrapper::GetSecondsElapsed() {
  return GameQueries::forGameObjects().askSecondsElapsed(memory_address);
}

// NOLINTEND(readability-make-member-function-const)

UniqueIDWrapper::UniqueIDWrapper(std::uintptr_t mem) : address(mem) {}

std::string UniqueIDWrapper::GetIdString() const {
  return GameQueries::forGameObjects().askIdString(address);
}
