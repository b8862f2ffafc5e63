#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

class Rafta;

// The console variables the plugin registers, in registration order: what load registers and
// applies, what unload stores, and what both stores (the host's `config.cfg`, the plugin's own
// `rafta.cfg`) hold. A new stored variable is a row of the table and its place in Stored.
//
//   const StoredVariable& total = StoredVariableOf(Stored::Total);  // "rafta_total_hit_count"
namespace rafta {

// The table's rows, in its order. The rows before the total are the player's settings, as load
// and the guard of the stored values read them: a new setting goes there.
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
  Count
};
inline constexpr std::size_t kStoredCount = static_cast<std::size_t>(Stored::Count);

[[nodiscard]] constexpr std::size_t IndexOf(Stored row) { return static_cast<std::size_t>(row); }

struct StoredVariable {
  const char* name;
  const char* defaultValue;
  std::string_view description;
  bool searchable = true;  // offered as the player types at the console
  // Told to the host at registration, which enforces neither.
  std::optional<float> min{};
  std::optional<float> max{};
  bool decimal = false;  // read and kept as a float; the others as whole numbers
  bool count = false;    // a count that only grows: sound only as a whole number below kMostCount
  // The object's field the variable mirrors, if any: applied values set it, unload stores it,
  // `unloadOrder`-th (from 1).
  double (*field)(const Rafta& plugin) = nullptr;
  void (*setField)(Rafta& plugin, double value) = nullptr;
  std::size_t unloadOrder = 0;
};

// Far beyond anything a player's saves or resets reach, and far enough below an int's largest value
// that one more always fits: a count that would need more is no count this plugin wrote.
inline constexpr double kMostCount = 1 << 30;

[[nodiscard]] const std::array<StoredVariable, kStoredCount>& StoredVariables();
[[nodiscard]] const StoredVariable& StoredVariableOf(Stored row);

// Whether a stored variable may hold this value: a finite number, and for a count a whole one in
// its range. What else a file or a variable holds is never used, nor stored.
[[nodiscard]] bool IsSound(const StoredVariable& variable, double value);

// Each stored variable's value, as a number (a float's or an int's exactly).
using StoredNumbers = std::array<double, kStoredCount>;

}  // namespace rafta
