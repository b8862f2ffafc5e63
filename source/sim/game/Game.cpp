#include "sim/game/Game.h"

namespace rafta::sim {
namespace {

std::size_t index(GameFlag flag) { return static_cast<std::size_t>(flag); }

}  // namespace

std::string describeActor(std::uintptr_t address) {
  const Actor* actor = actorAt(address);
  if (actor == nullptr) {
    return "null";
  }
  if (const auto* car = dynamic_cast<const Car*>(actor)) {
    return "car " + car->name;
  }
  if (dynamic_cast<const GoalFrame*>(actor) != nullptr) {
    return "the goal frame's object";
  }
  if (dynamic_cast<const Ball*>(actor) != nullptr) {
    return "the ball";
  }
  if (dynamic_cast<const PlayerRecord*>(actor) != nullptr) {
    return "a player's info";
  }
  return dynamic_cast<const Game*>(actor) != nullptr ? "the game state" : "an unknown object";
}

Game::Game() {
  flags_[index(GameFlag::Server)] = true;
  flags_[index(GameFlag::Ball)] = true;
  ball_.location = {0.0F, 0.0F, 93.0F};
}

void Game::setFlag(GameFlag flag, bool on) { flags_[index(flag)] = on; }

bool Game::flag(GameFlag flag) const { return flags_[index(flag)]; }

Car& Game::car(const std::string& name) {
  auto& slot = cars_[name];
  if (!slot) {
    slot = std::make_unique<Car>(name);
  }
  return *slot;
}

Car* Game::findCar(const std::string& name) const {
  const auto found = cars_.find(name);
  return found == cars_.end() ? nullptr : found->second.get();
}

void Game::setLocalCar(Car* car) { local_ = car; }

Car* Game::localCar() const { return local_; }

Ball& Game::ball() { return ball_; }

std::uintptr_t Game::goalFrameAddress() const { return addressOf(&goalFrame_); }

void Game::setSecondsElapsed(double seconds) { secondsElapsed_ = seconds; }

double Game::secondsElapsed() const { return secondsElapsed_; }

void Game::setScreenSize(Vector2 size) { screen_ = size; }

Vector2 Game::screenSize() const { return screen_; }

std::uintptr_t Game::stateAddress() const { return flag(GameFlag::Server) ? addressOf(this) : 0; }

std::uintptr_t Game::ballAddress() const { return flag(GameFlag::Ball) ? addressOf(&ball_) : 0; }

std::uintptr_t Game::localCarAddress() const { return local_ != nullptr ? addressOf(local_) : 0; }

}  // namespace rafta::sim
