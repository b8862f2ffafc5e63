#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The console variables the plugin registers, in registration order. The host stores each in its
// configuration (`config.cfg`); the plugin keeps the same lines in its own copy (`rafta.cfg`).
//
//   const StoredVariable& total = StoredVariableOf(Stored::Total);  // "rafta_total_hit_count"
namespace rafta {

enum class Stored : std::uint8_t {
  Debug,
  OverlayEnabled,
  OverlayX,
  OverlayY,
  OverlayStyle,
  CountInFreeplay,
  CountInTraining,
  CountInMatch,
  Total,
  // How many commits wrote the values: of two stores, the one with more is the newer.
  Saves,
  // How many times the total was reset: a total from before a reset never comes back.
  Resets,
};
inline constexpr std::size_t kStoredCount = 11;

[[nodiscard]] constexpr std::size_t IndexOf(Stored row) { return static_cast<std::size_t>(row); }

struct StoredVariable {
  const char* name;
  const char* defaultValue;
  std::string_view description;
  bool searchable;  // offered as the player types at the console
  bool hasMin;
  float min;
  bool hasMax;
  float max;
  bool decimal;  // read and kept as a float; the others as whole numbers
  bool count;    // a count that only grows: sound only as a whole number from 0 below kMostCount
};

// Far beyond anything a player's saves or resets reach, and far enough below an int's largest value
// that one more always fits: a count that would need more is no count this plugin wrote.
inline constexpr double kMostCount = 1 << 30;

// Whether a stored variable may hold this value: a finite number, and for a count a whole one in
// its range. What else a file or a variable holds is never used, nor stored.
[[nodiscard]] bool IsSound(const StoredVariable& variable, double value);

[[nodiscard]] const std::array<StoredVariable, kStoredCount>& StoredVariables();
[[nodiscard]] const StoredVariable& StoredVariableOf(Stored row);

// Each stored variable's value, as a number (a float's or an int's exactly).
using StoredNumbers = std::array<double, kStoredCount>;

}  // namespace rafta
