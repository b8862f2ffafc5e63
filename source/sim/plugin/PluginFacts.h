#pragma once

#include <filesystem>
#include <string_view>

#include "PluginNames.h"

// Everything the simulated host knows of the Rafta plugin in particular. A real host knows none of
// it; rafta-sim needs it to find the module, to install the goal picture the plugin reads, to work
// the settings page's style combo, and to write hostile values for the plugin's stored variables.
// Anything else in the host holds for any plugin.
namespace rafta::sim::plugin_facts {

// The module loaded when --module names none, beside rafta-sim.
#if defined(_WIN32)
inline constexpr std::string_view kModuleFile = "Rafta.dll";
#else
inline constexpr std::string_view kModuleFile = "Rafta.so";
#endif

// The goal picture as the plugin ships it, beside rafta-sim.
[[nodiscard]] inline std::filesystem::path shippedGoalPicture(const std::filesystem::path& folder) {
  return folder / "data" / "goal.png";
}

// Where the plugin looks for its goal picture under the application-data folder: the plugin's
// Windows path, one folder at each backslash.
[[nodiscard]] inline std::filesystem::path goalPicturePath(const std::filesystem::path& appData) {
  std::filesystem::path path = appData;
  std::string_view rest = names::kGoalPictureInAppData;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\\', 1);
    const std::string_view part = rest.substr(1, end == std::string_view::npos ? end : end - 1);
    path /= part;
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
  }
  return path;
}

// The Dear ImGui id of the settings page's style combo, whose label the page hides.
inline constexpr std::string_view kStyleCombo = names::kStyleComboId;

// Stored variables that the configuration faults write hostile lines for.
inline constexpr std::string_view kTotalVariable = names::kTotalVariable;
inline constexpr std::string_view kOverlayXVariable = names::kOverlayXVariable;
inline constexpr std::string_view kStyleVariable = names::kOverlayStyleVariable;
inline constexpr std::string_view kDebugVariable = names::kDebugVariable;

}  // namespace rafta::sim::plugin_facts
