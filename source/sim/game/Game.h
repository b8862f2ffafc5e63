#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "bakkesmod/wrappers/wrapperstructs.h"

namespace rafta::sim {

// Everything an ActorWrapper may name. A handle holds the address of the Actor part, so any
// wrapper can read a location, and the typed wrappers find their kind by dynamic_cast.
struct Actor {
  Actor() = default;
  Actor(const Actor&) = delete;
  Actor& operator=(const Actor&) = delete;
  virtual ~Actor() = default;

  Vector location;
  Vector velocity;
};

struct PlayerId {
  std::string text;
};

struct PlayerRecord : Actor {
  PlayerId id;
  std::uint8_t team = 0;
};

struct Car : Actor {
  explicit Car(std::string carName) : name(std::move(carName)) { player.id.text = name; }

  std::string name;
  PlayerRecord player;
  bool hasPlayer = true;
};

struct Ball : Actor {};

// The object whose function runs when the ball strikes a goal frame: the caller of TriggerHit.
// Not a car, nor anything a plugin may ask a question of.
struct GoalFrame : Actor {};

[[nodiscard]] inline std::uintptr_t addressOf(const Actor* actor) {
  return reinterpret_cast<std::uintptr_t>(actor);
}

[[nodiscard]] inline const Actor* actorAt(std::uintptr_t address) {
  // NOLINTNEXTLINE(performance-no-int-to-ptr): handles are addresses
  return reinterpret_cast<const Actor*>(address);
}

// What a handle names, for messages and the trace: "null", "car NAME", "the goal frame's object"...
[[nodiscard]] std::string describeActor(std::uintptr_t address);

enum class GameFlag { InGame, Online, Freeplay, Training, Replay, Server, Ball };

// The game as the host sees it. The game itself is the actor behind the current game state.
class Game : public Actor {
 public:
  Game();

  void setFlag(GameFlag flag, bool on);
  [[nodiscard]] bool flag(GameFlag flag) const;

  // Creates the car on first use; its player's id is then its name.
  Car& car(const std::string& name);
  [[nodiscard]] Car* findCar(const std::string& name) const;
  void setLocalCar(Car* car);
  [[nodiscard]] Car* localCar() const;

  [[nodiscard]] Ball& ball();
  [[nodiscard]] std::uintptr_t goalFrameAddress() const;

  // Game time in seconds, as the game state reports it (GetSecondsElapsed); the host's own time
  // is its clock's.
  void setSecondsElapsed(double seconds);
  [[nodiscard]] double secondsElapsed() const;

  void setScreenSize(Vector2 size);
  [[nodiscard]] Vector2 screenSize() const;

  // Handle addresses as the game reports them right now: 0 for what does not exist.
  [[nodiscard]] std::uintptr_t stateAddress() const;
  [[nodiscard]] std::uintptr_t ballAddress() const;
  [[nodiscard]] std::uintptr_t localCarAddress() const;

 private:
  std::array<bool, 7> flags_{};
  std::map<std::string, std::unique_ptr<Car>> cars_;
  Car* local_ = nullptr;
  Ball ball_;
  GoalFrame goalFrame_;
  double secondsElapsed_ = 0.0;
  Vector2 screen_{1920, 1080};
};

}  // namespace rafta::sim
