#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ActorWrappers.h"
#include "CanvasWrapper.h"
#include "HostApi.h"
#include "WrapperStructs.h"

// The game as the host shows it to a plugin: hooks on game functions, timers, drawing and queries.
class HOST_API GameWrapper {
 public:
  explicit GameWrapper(std::uintptr_t mem);

  void HookEvent(const std::string& eventName, std::function<void(std::string eventName)> callback);
  // The caller arrives as T; the host implements the caller types it supports.
  template <typename T>
  void HookEventWithCaller(
      const std::string& eventName,
      std::function<void(T caller, void* params, std::string eventName)> callback);
  // Removes every hook of the plugin on that function, plain or with caller.
  void UnhookEvent(const std::string& eventName);

  void RegisterDrawable(std::function<void(CanvasWrapper canvas)> callback);
  void UnregisterDrawables();
  // Runs the callback once, after that many seconds of the host's time.
  void SetTimeout(std::function<void(GameWrapper*)> callback, float seconds);

  [[nodiscard]] Vector2 GetScreenSize() const;
  [[nodiscard]] ServerWrapper GetCurrentGameState() const;
  [[nodiscard]] CarWrapper GetLocalCar() const;
  [[nodiscard]] bool IsInGame() const;
  [[nodiscard]] bool IsInReplay() const;
  [[nodiscard]] bool IsInFreeplay() const;
  [[nodiscard]] bool IsInCustomTraining() const;

 private:
  std::uintptr_t address;
};

template <>
HOST_API void GameWrapper::HookEventWithCaller<CarWrapper>(
    const std::string& eventName,
    std::function<void(CarWrapper caller, void* params, std::string eventName)> callback);
