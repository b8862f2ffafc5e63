#include "sim/host/GameQueries.h"

#include <array>
#include <cstddef>

namespace rafta::sim {
namespace {

constexpr std::array<std::string_view, 7> kNames{
    "IsInGame",    "IsInReplay",   "IsInFreeplay", "IsInCustomTraining", "GetCurrentGameState",
    "GetLocalCar", "GetScreenSize"};

// What each yes/no question reads of the game; they come first in Query.
constexpr std::array<GameFlag, 4> kFlags{GameFlag::InGame, GameFlag::Replay, GameFlag::Freeplay,
                                         GameFlag::Training};

std::size_t index(Query query) { return static_cast<std::size_t>(query); }

}  // namespace

std::string_view queryName(Query query) { return kNames.at(index(query)); }

GameQueries::GameQueries(const Game& game, FaultInjector& faults, Reports& reports)
    : game_(game), faults_(faults), reports_(reports) {}

bool GameQueries::ask(Query query) {
  const bool answer = faults_.flag(game_.flag(kFlags.at(index(query))), queryName(query));
  note(query, [&] { return std::string(answer ? "1" : "0"); });
  return answer;
}

std::uintptr_t GameQueries::askGameState() {
  const auto address = faults_.handle(game_.stateAddress(), "GetCurrentGameState");
  note(Query::GetCurrentGameState,
       [&] { return std::string(address != 0 ? "the game state" : "null"); });
  return address;
}

std::uintptr_t GameQueries::askLocalCar() {
  const auto address = faults_.handle(game_.localCarAddress(), "GetLocalCar");
  note(Query::GetLocalCar, [&] { return address != 0 ? "car " + game_.localCar()->name : "null"; });
  return address;
}

Vector2 GameQueries::askScreenSize() {
  const auto size = faults_.screen(game_.screenSize());
  note(Query::GetScreenSize, [&] { return std::to_string(size.X) + " " + std::to_string(size.Y); });
  return size;
}

const std::vector<Query>& GameQueries::recent() const { return recent_.entries(); }

void GameQueries::clear() { recent_.clear(); }

void GameQueries::note(Query query, const std::function<std::string()>& answer) {
  recent_.add(query);
  // Plugins ask every frame: the line is only worth making for someone reading it.
  if (reports_.tracing()) {
    reports_.trace("query " + std::string(queryName(query)) + " -> " + answer());
  }
}

}  // namespace rafta::sim
