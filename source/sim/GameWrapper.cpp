#include "GameWrapper.h"

#include <utility>

#include "Host.h"
#include "HostAccess.h"

using rafta::sim::Host;
using rafta::sim::objectAt;
using rafta::sim::Query;

GameWrapper::GameWrapper(std::uintptr_t mem) : address(mem) {}

// The host interface declares these non-const, as the host it stands in for does.
// NOLINTBEGIN(readability-make-member-function-const)

void GameWrapper::HookEvent(const std::string& eventName,
                            std::function<void(std::string eventName)> callback) {
  if (auto* host = objectAt<Host>(address)) {
    host->hookPlain(eventName, std::move(callback));
  }
}

template <>
void GameWrapper::HookEventWithCaller<CarWrapper>(
    const std::string& eventName,
    std::function<void(CarWrapper caller, void* params, std::string eventName)> callback) {
  if (auto* host = objectAt<Host>(address)) {
    host->hookWithCaller(eventName, std::move(callback));
  }
}

void GameWrapper::UnhookEvent(const std::string& eventName) {
  if (auto* host = objectAt<Host>(address)) {
    host->unhook(eventName);
  }
}

void GameWrapper::RegisterDrawable(std::function<void(CanvasWrapper canvas)> callback) {
  if (auto* host = objectAt<Host>(address)) {
    host->registerDrawable(std::move(callback));
  }
}

void GameWrapper::UnregisterDrawables() {
  if (auto* host = objectAt<Host>(address)) {
    host->unregisterDrawables();
  }
}

void GameWrapper::SetTimeout(std::function<void(GameWrapper*)> callback, float seconds) {
  if (auto* host = objectAt<Host>(address)) {
    host->setTimeout(std::move(callback), seconds);
  }
}

Vector2 GameWrapper::GetScreenSize() const {
  auto* host = objectAt<Host>(address);
  return host != nullptr ? host->askScreenSize() : Vector2{};
}

ServerWrapper GameWrapper::GetCurrentGameState() const {
  auto* host = objectAt<Host>(address);
  return ServerWrapper(host != nullptr ? host->askGameState() : 0);
}

CarWrapper GameWrapper::GetLocalCar() const {
  auto* host = objectAt<Host>(address);
  return CarWrapper(host != nullptr ? host->askLocalCar() : 0);
}

bool GameWrapper::IsInGame() const {
  auto* host = objectAt<Host>(address);
  return host != nullptr && host->ask(Query::IsInGame);
}

bool GameWrapper::IsInReplay() const {
  auto* host = objectAt<Host>(address);
  return host != nullptr && host->ask(Query::IsInReplay);
}

bool GameWrapper::IsInFreeplay() const {
  auto* host = objectAt<Host>(address);
  return host != nullptr && host->ask(Query::IsInFreeplay);
}

bool GameWrapper::IsInCustomTraining() const {
  auto* host = objectAt<Host>(address);
  return host != nullptr && host->ask(Query::IsInCustomTraining);
}
// NOLINTEND(readability-make-member-function-const)
