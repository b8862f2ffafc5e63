#include "sim/host/GameQueries.h"

#include <array>
#include <cstddef>

#include "sim/handles/Handles.h"
#include "sim/numbers/Numbers.h"
#include "sim/text/Text.h"

namespace rafta::sim {
namespace {

struct QueryFacts {
  std::string_view name;
  bool ofGameWrapper;
  // Whether `--trace` shows the question and its answer. The game objects' questions are not
  // traced: a plugin asks several of them for every hit and every frame, and their lines would
  // flood the trace that a reader follows hooks, timers and canvas calls in.
  bool traced;
};

// In the order of Query.
constexpr std::array<QueryFacts, 16> kQueries{{
    {"IsInGame", true, true},
    {"IsInOnlineGame", true, true},
    {"IsInReplay", true, true},
    {"IsInFreeplay", true, true},
    {"IsInCustomTraining", true, true},
    {"GetCurrentGameState", true, true},
    {"GetLocalCar", true, true},
    {"GetScreenSize", true, true},
    {"GetLocation", false, false},
    {"GetVelocity", false, false},
    {"GetPRI", false, false},
    {"GetUniqueIdWrapper", false, false},
    {"GetTeamNum", false, false},
    {"GetIdString", false, false},
    {"GetBall", false, false},
    {"GetSecondsElapsed", false, false},
}};

// What each yes/no question reads of the game; they come first in Query.
constexpr std::array<GameFlag, 5> kFlags{GameFlag::InGame, GameFlag::Online, GameFlag::Replay,
                                         GameFlag::Freeplay, GameFlag::Training};

std::size_t index(Query query) { return static_cast<std::size_t>(query); }

GameQueries* registeredOne = nullptr;

}  // namespace

std::string_view queryName(Query query) { return kQueries.at(index(query)).name; }

bool askedOfGameWrapper(Query query) { return kQueries.at(index(query)).ofGameWrapper; }

GameQueries::GameQueries(const Game& game, FaultInjector& faults, Reports& reports,
                         const BadCalls& badCalls)
    : game_(game), faults_(faults), reports_(reports), badCalls_(badCalls), registered_(true) {
  registeredOne = this;
}

GameQueries::GameQueries(const Game& game, FaultInjector& faults, Reports& reports,
                         const BadCalls& badCalls, Unregistered /*unregistered*/)
    : game_(game), faults_(faults), reports_(reports), badCalls_(badCalls), registered_(false) {}

template <typename T>
const T* GameQueries::answering(std::uintptr_t address, Query query) const {
  const Actor* actor = actorAt(address);
  const auto* found = dynamic_cast<const T*>(actor);
  // The goal frame's object is an actor only in name: nothing may be asked of it.
  if (found == nullptr || dynamic_cast<const GoalFrame*>(actor) != nullptr) {
    badCalls_.made(queryName(query), describeActor(address));
    return nullptr;
  }
  return found;
}

GameQueries::~GameQueries() {
  if (registered_ && registeredOne == this) {
    registeredOne = nullptr;
  }
}

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

namespace {

std::string vectorText(const Vector& value) {
  return std::to_string(value.X) + " " + std::to_string(value.Y) + " " + std::to_string(value.Z);
}

std::string handleText(std::uintptr_t address) { return address != 0 ? "an object" : "null"; }

}  // namespace

Vector GameQueries::askLocation(std::uintptr_t actor) {
  const auto* found = answering<Actor>(actor, Query::GetLocation);
  const auto answer = faults_.vector(found != nullptr ? found->location : Vector(), "GetLocation");
  note(Query::GetLocation, [&] { return vectorText(answer); });
  return answer;
}

Vector GameQueries::askVelocity(std::uintptr_t actor) {
  const auto* found = answering<Actor>(actor, Query::GetVelocity);
  const auto answer = faults_.vector(found != nullptr ? found->velocity : Vector(), "GetVelocity");
  note(Query::GetVelocity, [&] { return vectorText(answer); });
  return answer;
}

std::uintptr_t GameQueries::askPlayer(std::uintptr_t car) {
  const auto* found = answering<Car>(car, Query::GetPRI);
  const auto answer = faults_.handle(
      found != nullptr && found->hasPlayer ? addressOf(&found->player) : 0, "GetPRI");
  note(Query::GetPRI, [&] { return handleText(answer); });
  return answer;
}

std::uintptr_t GameQueries::askUniqueId(std::uintptr_t player) {
  const auto* found = answering<PlayerRecord>(player, Query::GetUniqueIdWrapper);
  const auto answer =
      faults_.handle(found != nullptr ? addressOfObject(&found->id) : 0, "GetUniqueIdWrapper");
  note(Query::GetUniqueIdWrapper, [&] { return handleText(answer); });
  return answer;
}

std::uint8_t GameQueries::askTeam(std::uintptr_t player) {
  const auto* found = answering<PlayerRecord>(player, Query::GetTeamNum);
  const auto answer = faults_.team(found != nullptr ? found->team : 0);
  note(Query::GetTeamNum, [&] { return std::to_string(answer); });
  return answer;
}

std::string GameQueries::askIdString(std::uintptr_t id) {
  const auto* found = objectAt<const PlayerId>(id);
  auto answer = faults_.id(found != nullptr ? found->text : std::string());
  note(Query::GetIdString, [&] { return quote(answer); });
  return answer;
}

std::uintptr_t GameQueries::askBall(std::uintptr_t gameState) {
  const auto* found = answering<Game>(gameState, Query::GetBall);
  const auto answer = faults_.handle(found != nullptr ? found->ballAddress() : 0, "GetBall");
  note(Query::GetBall, [&] { return handleText(answer); });
  return answer;
}

float GameQueries::askSecondsElapsed(std::uintptr_t gameState) {
  const auto* found = answering<Game>(gameState, Query::GetSecondsElapsed);
  const auto answer = faults_.number(found != nullptr ? toFloat(found->secondsElapsed()) : 0.0F,
                                     "GetSecondsElapsed");
  note(Query::GetSecondsElapsed, [&] { return shortestText(answer); });
  return answer;
}

void GameQueries::note(Query query, const std::function<std::string()>& answer) {
  // Plugins ask every frame: the line is only worth making for someone reading it.
  if (kQueries.at(index(query)).traced && reports_.tracing()) {
    reports_.trace("query " + std::string(queryName(query)) + " -> " + answer());
  }
}

GameQueries& GameQueries::forGameObjects() {
  if (registeredOne != nullptr) {
    return *registeredOne;
  }
  static const Game nothing;
  static FaultInjector neverWrong;
  static Reports silent([](const std::string&) {});
  static GameQueries none(nothing, neverWrong, silent, BadCalls::answered(), Unregistered{});
  return none;
}

}  // namespace rafta::sim
