#pragma once

#include <filesystem>
#include <string_view>

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

// Where the plugin looks for its goal picture under the application-data folder.
[[nodiscard]] inline std::filesystem::path goalPicturePath(const std::filesystem::path& appData) {
  return appData / "bakkesmod" / "bakkesmod" / "data" / "Rafta" / "images" / "goal.png";
}

// The Dear ImGui id of the settings page's style combo, whose label the page hides.
inline constexpr std::string_view kStyleCombo = "##overlay_style";

// Stored variables that the configuration faults write hostile lines for.
inline constexpr std::string_view kTotalVariable = "rafta_total_hit_count";
inline constexpr std::string_view kOverlayXVariable = "rafta_overlay_x";
inline constexpr std::string_view kStyleVariable = "rafta_overlay_style";
inline constexpr std::string_view kDebugVariable = "rafta_debug";

}  // namespace rafta::sim::plugin_facts
