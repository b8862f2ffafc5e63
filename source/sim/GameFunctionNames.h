#pragma once

#include <string_view>

// The game functions the host runs hooks on, by their full names.
namespace rafta::sim::functions {

inline constexpr std::string_view kPostBeginPlay =
    "Function TAGame.GameEvent_Soccar_TA.PostBeginPlay";
inline constexpr std::string_view kEndGame = "Function TAGame.GameEvent_Soccar_TA.EndGame";
inline constexpr std::string_view kBeginRound = "Function TAGame.GameEvent_Soccar_TA.BeginRound";
inline constexpr std::string_view kOnGoalScored =
    "Function TAGame.GameEvent_Soccar_TA.OnGoalScored";
inline constexpr std::string_view kStartReplay = "Function TAGame.ReplayDirector_TA.StartReplay";
inline constexpr std::string_view kStopReplay = "Function TAGame.ReplayDirector_TA.StopReplay";
inline constexpr std::string_view kOnHitBall = "Function TAGame.Car_TA.OnHitBall";
inline constexpr std::string_view kTriggerHit =
    "Function TAGame.GoalCrossbarVolumeManager_TA.TriggerHit";

}  // namespace rafta::sim::functions
