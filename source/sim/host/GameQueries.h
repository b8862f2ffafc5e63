#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/faults/FaultInjector.h"
#include "sim/game/Game.h"
#include "sim/host/RecentHistory.h"
#include "sim/host/Reports.h"

namespace rafta::sim {

// The game-wrapper questions a plugin asks, recorded in the order asked.
enum class Query {
  IsInGame,
  IsInReplay,
  IsInFreeplay,
  IsInCustomTraining,
  GetCurrentGameState,
  GetLocalCar,
  GetScreenSize
};
[[nodiscard]] std::string_view queryName(Query query);

// The host's answers to those questions: what the game holds, as the fault injector may turn it.
// Each question is recorded and traced.
class GameQueries {
 public:
  GameQueries(const Game& game, FaultInjector& faults, Reports& reports);

  // The four yes/no questions.
  [[nodiscard]] bool ask(Query query);
  [[nodiscard]] std::uintptr_t askGameState();
  [[nodiscard]] std::uintptr_t askLocalCar();
  [[nodiscard]] Vector2 askScreenSize();

  // The recent questions (at least the last 4096), oldest first.
  [[nodiscard]] const std::vector<Query>& recent() const;
  void clear();

 private:
  void note(Query query, const std::function<std::string()>& answer);

  const Game& game_;
  FaultInjector& faults_;
  Reports& reports_;
  // Only what checks and tests read back, so that a session of any length runs in bounded memory.
  RecentHistory<Query> recent_{4096};
};

}  // namespace rafta::sim
