#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <type_traits>

#include "bakkesmod/plugin/bakkesmodsdk.h"
#include "bakkesmod/wrappers/Engine/ObjectWrapper.h"
#include "bakkesmod/wrappers/GameEvent/ServerWrapper.h"
#include "bakkesmod/wrappers/GameObject/BallWrapper.h"
#include "bakkesmod/wrappers/GameObject/CarWrapper.h"
#include "bakkesmod/wrappers/GameObject/PriWrapper.h"
#include "bakkesmod/wrappers/ImageWrapper.h"
#include "bakkesmod/wrappers/UniqueIDWrapper.h"
#include "bakkesmod/wrappers/canvaswrapper.h"
#include "bakkesmod/wrappers/wrapperstructs.h"

// The game as the host shows it to a plugin: hooks on game functions, timers, drawing and queries.
class BAKKESMOD_PLUGIN_IMPORT GameWrapper {
 public:
  explicit GameWrapper(std::uintptr_t mem);

  void HookEvent(std::string eventName, std::function<void(std::string eventName)> callback);
  // The caller arrives as T, but is whatever object runs the function, of T's class or not. The
  // host's library holds the instantiations for the object types it can pass: ActorWrapper,
  // CarWrapper, BallWrapper, ServerWrapper and PriWrapper.
  template <typename T, std::enable_if_t<std::is_base_of_v<ObjectWrapper, T>>* = nullptr>
  void HookEventWithCaller(
      std::string eventName,
      std::function<void(T caller, void* params, std::string eventName)> callback);
  // Removes every hook of the plugin on that function, plain or with caller.
  void UnhookEvent(std::string eventName);

  void RegisterDrawable(std::function<void(CanvasWrapper canvas)> callback);
  void UnregisterDrawables();
  // Runs the callback once, after that many seconds of the host's time.
  void SetTimeout(std::function<void(GameWrapper*)> theLambda, float time);
  // Runs the callback on the game thread at the host's next game tick: the way for code on another
  // thread (the settings page's render thread) to reach the game and the plugin's state.
  void Execute(std::function<void(GameWrapper*)> theLambda);

  // The host's folder (its cfg/ and data/ folders are in it), and its data folder.
  std::filesystem::path GetBakkesModPath();
  std::filesystem::path GetDataFolder();

  Vector2 GetScreenSize();
  ServerWrapper GetCurrentGameState();
  CarWrapper GetLocalCar();
  // Which situations each covers is not documented: in a game, and in an online one.
  bool IsInGame();
  bool IsInOnlineGame();
  bool IsInReplay();
  bool IsInFreeplay();
  bool IsInCustomTraining();

 private:
  std::uintptr_t address;
};
