#pragma once

// The names the plugin registers or looks up at the host, which the simulated host and the tests
// use too: a name changed here changes for all of them.
namespace rafta::names {

// Console variables, in the order the plugin registers them.
inline constexpr const char* kDebugVariable = "rafta_debug";
inline constexpr const char* kOverlayEnabledVariable = "rafta_overlay_enabled";
inline constexpr const char* kOverlayXVariable = "rafta_overlay_x";
inline constexpr const char* kOverlayYVariable = "rafta_overlay_y";
inline constexpr const char* kOverlayStyleVariable = "rafta_overlay_style";
inline constexpr const char* kCountInFreeplayVariable = "rafta_count_in_freeplay";
inline constexpr const char* kCountInTrainingVariable = "rafta_count_in_training";
inline constexpr const char* kCountInMatchVariable = "rafta_count_in_match";
inline constexpr const char* kTotalVariable = "rafta_total_hit_count";
// How many commits wrote the stored values, and how many times the total was reset: which of the
// host's configuration and the plugin's copy is the newer.
inline constexpr const char* kSavesVariable = "rafta_saves";
inline constexpr const char* kResetsVariable = "rafta_resets";
// The plugin's own copy of its stored variables, beside the host's configuration in its cfg folder.
inline constexpr const char* kSavedCopyFile = "rafta.cfg";
inline constexpr const char* kHostConfigFile = "config.cfg";

// Console commands a player binds to keys.
inline constexpr const char* kToggleOverlayCommand = "rafta_toggle_overlay";
inline constexpr const char* kStyleCommand = "rafta_style";
inline constexpr const char* kResetSessionCommand = "rafta_reset_session";
inline constexpr const char* kResetTotalCommand = "rafta_reset_total";
// The word that lets the total reset go through.
inline constexpr const char* kResetTotalConfirmation = "confirm";

// The goal picture under the user's roaming application-data folder, as a Windows path appended
// to that folder as it is: it brings its own leading backslash.
inline constexpr const char* kGoalPictureInAppData =
    R"(\bakkesmod\bakkesmod\data\Rafta\images\goal.png)";

// The Dear ImGui id of the settings page's style combo, whose label the page hides.
inline constexpr const char* kStyleComboId = "##overlay_style";

}  // namespace rafta::names
