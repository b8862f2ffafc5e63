#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/faults/FaultInjector.h"
#include "sim/game/Game.h"
#include "sim/host/BadCalls.h"
#include "sim/host/Reports.h"

namespace rafta::sim {

// Every question a plugin asks of the game, whichever wrapper asks it.
enum class Query {
  // The game wrapper's.
  IsInGame,
  IsInOnlineGame,
  IsInReplay,
  IsInFreeplay,
  IsInCustomTraining,
  GetCurrentGameState,
  GetLocalCar,
  GetScreenSize,
  // The game objects'.
  GetLocation,
  GetVelocity,
  GetPRI,
  GetUniqueIdWrapper,
  GetTeamNum,
  GetIdString,
  GetBall,
  GetSecondsElapsed
};
[[nodiscard]] std::string_view queryName(Query query);
// Asked of the game wrapper rather than of a game object.
[[nodiscard]] bool askedOfGameWrapper(Query query);

// The host's answers to those questions: what the game holds, as the fault injector may turn it.
// Every answer passes here, and here alone: a question the object cannot answer (a null handle,
// the goal frame's object, a car's question to a ball) goes to BadCalls first; then the fault
// check, and the trace line for the questions that are traced.
class GameQueries {
 public:
  // The game objects' wrappers carry the address of an object, not of a host: they ask the
  // queries made last in this process that still exist (one host at a time).
  GameQueries(const Game& game, FaultInjector& faults, Reports& reports, const BadCalls& badCalls);
  GameQueries(const GameQueries&) = delete;
  GameQueries& operator=(const GameQueries&) = delete;
  ~GameQueries();

  // The game wrapper's: the five yes/no questions, then the handles and the screen.
  [[nodiscard]] bool ask(Query query);
  [[nodiscard]] std::uintptr_t askGameState();
  [[nodiscard]] std::uintptr_t askLocalCar();
  [[nodiscard]] Vector2 askScreenSize();

  // The game objects', each about the object at `address` (0 or another kind: no object).
  [[nodiscard]] Vector askLocation(std::uintptr_t actor);
  [[nodiscard]] Vector askVelocity(std::uintptr_t actor);
  [[nodiscard]] std::uintptr_t askPlayer(std::uintptr_t car);
  [[nodiscard]] std::uintptr_t askUniqueId(std::uintptr_t player);
  [[nodiscard]] std::uint8_t askTeam(std::uintptr_t player);
  [[nodiscard]] std::string askIdString(std::uintptr_t id);
  [[nodiscard]] std::uintptr_t askBall(std::uintptr_t gameState);
  [[nodiscard]] float askSecondsElapsed(std::uintptr_t gameState);

  // The queries the game objects' wrappers ask: those of the host made last that still exists,
  // or, without one, queries that nobody reads back and that never answer wrongly.
  [[nodiscard]] static GameQueries& forGameObjects();

 private:
  struct Unregistered {};
  GameQueries(const Game& game, FaultInjector& faults, Reports& reports, const BadCalls& badCalls,
              Unregistered /*unregistered*/);

  // The object at `address` if it can answer `query` as a T; otherwise the call goes to BadCalls
  // and, when it returns, there is no object to answer.
  template <typename T>
  [[nodiscard]] const T* answering(std::uintptr_t address, Query query) const;
  void note(Query query, const std::function<std::string()>& answer);

  const Game& game_;
  FaultInjector& faults_;
  Reports& reports_;
  const BadCalls& badCalls_;
  bool registered_;
};

}  // namespace rafta::sim
