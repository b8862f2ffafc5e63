#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The plugin's own copy of the variables it saves, `cfg/rafta.cfg` in the host's folder, in the
// line form of the host's configuration file (`name "value"`). The host forgets a plugin's
// variables at unload and drops their lines when a game runs without the plugin; this copy is
// what brings them back.
namespace rafta {

struct SavedValue {
  std::string_view name;
  std::string value;
};

enum class SavedCopyState : std::uint8_t {
  Missing,  // never written: the first start with a version that keeps one
  Sound,    // one number for every variable, and nothing else
  Damaged,  // unreadable, cut short, or holding something else
};

[[nodiscard]] SavedCopyState InspectSavedCopy(const std::filesystem::path& file,
                                              std::span<const std::string_view> names);

// Replaces the file as a whole: a new file beside it, then a rename, so that a kill leaves the old
// copy or the new one, never half of one. False when the copy could not be replaced.
// A failed write discards the old copy too: it no longer holds what was committed.
[[nodiscard]] bool WriteSavedCopy(const std::filesystem::path& file,
                                  const std::vector<SavedValue>& values);

// Removes a copy that is older than what was committed since, so that no load applies it.
void DiscardSavedCopy(const std::filesystem::path& file) noexcept;

}  // namespace rafta
