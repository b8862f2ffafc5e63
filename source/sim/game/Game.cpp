#include "sim/game/Game.h"

namespace rafta::sim {
namespace {

std::size_t index(GameFlag flag) { return static_cast<std::size_t>(flag); }

}  // namespace

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

void Game::setSecondsElapsed(double seconds) { secondsElapsed_ = seconds; }

double Game::secondsElapsed() const { return secondsElapsed_; }

void Game::setScreenSize(Vector2 size) { screen_ = size; }

Vector2 Game::screenSize() const { return screen_; }

std::uintptr_t Game::stateAddress() const { return flag(GameFlag::Server) ? addressOf(this) : 0; }

std::uintptr_t Game::ballAddress() const { return flag(GameFlag::Ball) ? addressOf(&ball_) : 0; }

std::uintptr_t Game::localCarAddress() const { return local_ != nullptr ? addressOf(local_) : 0; }

}  // namespace rafta::sim
