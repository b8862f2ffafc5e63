#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "bakkesmod/wrappers/wrapperstructs.h"
#include "sim/text/Text.h"

namespace rafta::sim {

// What the host may answer wrongly. A plugin has to survive every one of these from a real host.
enum class FaultKind : unsigned {
  // Null game state, ball, local car, player info, id or console variable.
  Null,
  // Empty or very long player ids, of any bytes.
  Id,
  // NaN, infinities, huge and negative clock, ball location and velocity, and team numbers.
  Number,
  // The user typed a hostile value into a console variable just before the plugin read it.
  Console,
  // A screen of zero, negative or huge size.
  Screen,
  // Garbage lines added to the configuration file before a restart reads it.
  Config,
  // The wrong yes/no answer about the game mode or a replay.
  Flag
};
inline constexpr unsigned kFaultKindCount = 7;
inline constexpr unsigned kAllFaultKinds = (1U << kFaultKindCount) - 1U;

[[nodiscard]] constexpr unsigned faultBit(FaultKind kind) {
  return 1U << static_cast<unsigned>(kind);
}
[[nodiscard]] std::string_view faultKindName(FaultKind kind);
[[nodiscard]] std::optional<FaultKind> faultKindNamed(std::string_view name);

struct FaultPlan {
  // The chance, 0 to 1, that one answer is wrong.
  double rate = 0.0;
  std::uint64_t seed = 0;
  unsigned kinds = kAllFaultKinds;
};

// A decimal seed; nullopt when the text is not one.
[[nodiscard]] std::optional<std::uint64_t> parseSeed(std::string_view text);

// Turns the host's answers wrong at the rate its plan gives, for the kinds it names. Every decision
// and every hostile value comes from one splitmix64 stream, so the same session with the same plan
// goes wrong the same way.
class FaultInjector {
 public:
  // Told of every wrong answer: its kind and what was answered.
  using Observer = std::function<void(FaultKind, const std::string&)>;

  // Never wrong.
  FaultInjector();
  // Follows `plan`, which the host owns and may change: restart() when it does.
  explicit FaultInjector(const FaultPlan& plan);
  FaultInjector(const FaultInjector&) = delete;
  FaultInjector& operator=(const FaultInjector&) = delete;
  ~FaultInjector() = default;

  // Starts the stream again from the plan's seed.
  void restart();
  void setTrace(TextSink trace);
  void setObserver(Observer observer);

  // Each passes the true answer through, or returns a wrong one. A wrong handle is reported as
  // `what` followed by `name`, put together only then: plugins ask for handles every frame.
  [[nodiscard]] std::uintptr_t handle(std::uintptr_t address, std::string_view what,
                                      std::string_view name = {});
  [[nodiscard]] std::string id(std::string text);
  [[nodiscard]] float number(float value, std::string_view what);
  [[nodiscard]] Vector vector(Vector value, std::string_view what);
  [[nodiscard]] std::uint8_t team(std::uint8_t value);
  [[nodiscard]] Vector2 screen(Vector2 value);
  [[nodiscard]] bool flag(bool value, std::string_view what);
  // A hostile text for the named console variable, or nullopt to leave it as it is.
  [[nodiscard]] std::optional<std::string> consoleText(const std::string& name);
  // Lines to add to the configuration file, or empty.
  [[nodiscard]] std::string configGarbage();

 private:
  [[nodiscard]] bool strikes(FaultKind kind);
  [[nodiscard]] std::uint64_t next();
  [[nodiscard]] std::uint64_t below(std::uint64_t bound);
  [[nodiscard]] std::string bytes(std::size_t count);
  [[nodiscard]] float hostileFloat();
  void report(FaultKind kind, const std::string& what);

  const FaultPlan& plan_;
  std::uint64_t state_ = 0;
  TextSink trace_;
  Observer observer_;
};

}  // namespace rafta::sim
