#pragma once

// The game functions the plugin hooks and the host runs, by their full names.
namespace rafta::game {

inline constexpr const char* kPostBeginPlay = "Function TAGame.GameEvent_Soccar_TA.PostBeginPlay";
inline constexpr const char* kEndGame = "Function TAGame.GameEvent_Soccar_TA.EndGame";
inline constexpr const char* kBeginRound = "Function TAGame.GameEvent_Soccar_TA.BeginRound";
inline constexpr const char* kOnGoalScored = "Function TAGame.GameEvent_Soccar_TA.OnGoalScored";
inline constexpr const char* kStartReplay = "Function TAGame.ReplayDirector_TA.StartReplay";
inline constexpr const char* kStopReplay = "Function TAGame.ReplayDirector_TA.StopReplay";
inline constexpr const char* kOnHitBall = "Function TAGame.Car_TA.OnHitBall";
inline constexpr const char* kTriggerHit =
    "Function TAGame.GoalCrossbarVolumeManager_TA.TriggerHit";

}  // namespace rafta::game
