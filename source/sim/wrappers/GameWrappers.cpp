#include "bakkesmod/wrappers/GameWrapper.h"

#include <utility>

#include "sim/base/Handles.h"
#include "sim/host/Host.h"

using rafta::sim::Host;
using rafta::sim::objectAt;
using rafta::sim::Query;

GameWrapper::GameWrapper(std::uintptr_t mem) : address(mem) {}

// The host interface declares these non-const, as the host it stands in for does.
// NOLINTBEGIN(readability-make-member-function-const)

void GameWrapper::HookEvent(std::string eventName,
                            std::function<void(std::string eventName)> callback) {
  if (auto* host = objectAt<Host>(address)) {
    host->callbacks().hookPlain(eventName, std::move(callback));
  }
}

// The host passes the caller as an address; the hook sees it as the type it asked for.
template <typename T, std::enable_if_t<std::is_base_of_v<ObjectWrapper, T>>*>
void GameWrapper::HookEventWithCaller(
    std::string eventName,
    std::function<void(T caller, void* params, std::string eventName)> callback) {
  if (auto* host = objectAt<Host>(address)) {
    host->callbacks().hookWithCaller(
        eventName,
        [callback = std::move(callback)](std::uintptr_t caller, void* params, std::string name) {
          callback(T(caller), params, std::move(name));
        });
  }
}

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
    host->callbacks().unhook(eventName);
  }
}

void GameWrapper::RegisterDrawable(std::function<void(CanvasWrapper canvas)> callback) {
  if (auto* host = objectAt<Host>(address)) {
    host->callbacks().registerDrawable(std::move(callback));
  }
}

void GameWrapper::UnregisterDrawables() {
  if (auto* host = objectAt<Host>(address)) {
    host->callbacks().unregisterDrawables();
  }
}

void GameWrapper::SetTimeout(std::function<void(GameWrapper*)> theLambda, float time) {
  if (auto* host = objectAt<Host>(address)) {
    host->callbacks().setTimeout(std::move(theLambda), time);
  }
}

Vector2 GameWrapper::GetScreenSize() {
  auto* host = objectAt<Host>(address);
  return host != nullptr ? host->queries().askScreenSize() : Vector2{0, 0};
}

ServerWrapper GameWrapper::GetCurrentGameState() {
  auto* host = objectAt<Host>(address);
  return {host != nullptr ? host->queries().askGameState() : 0};
}

CarWrapper GameWrapper::GetLocalCar() {
  auto* host = objectAt<Host>(address);
  return {host != nullptr ? host->queries().askLocalCar() : 0};
}

bool GameWrapper::IsInGame() {
  auto* host = objectAt<Host>(address);
  return host != nullptr && host->queries().ask(Query::IsInGame);
}

bool GameWrapper::IsInReplay() {
  auto* host = objectAt<Host>(address);
  return host != nullptr && host->queries().ask(Query::IsInReplay);
}

bool GameWrapper::IsInFreeplay() {
  auto* host = objectAt<Host>(address);
  return host != nullptr && host->queries().ask(Query::IsInFreeplay);
}

bool GameWrapper::IsInCustomTraining() {
  auto* host = objectAt<Host>(address);
  return host != nullptr && host->queries().ask(Query::IsInCustomTraining);
}

// NOLINTEND(readability-make-member-function-const)
