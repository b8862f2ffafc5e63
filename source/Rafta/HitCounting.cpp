// Hit counting: the hit hooks, the counting gate, and the validation that turns a goal-frame hit
// into a counted one.
//
// Call flow of a goal-frame hit (each refusal writes its line and returns; debug lines omitted):
//
// - TriggerHit hook                             "Function TAGame.GoalCrossbarVolumeManager_TA..."
//   - onTriggerHit()                            caller null   -> "TriggerHit : Caller est nul"
//     - onRaftaHit()
//       - IsModeAllowed()                       replay        -> "Replay détecté, comptage ignoré"
//                                               freeplay/training off -> "Freeplay ou training ..."
//                                               match off     -> "Match détecté, comptage ..."
//       - IdentifyLocalShooter("onRaftaHit")    L1 caller, L3 local car, L4 local player, L5 id,
//                                               L8 last toucher != local -> "... ? toi (...)"
//                                               (the caller is the goal frame's object, never a
//                                               car: only ever tested for null)
//       - onRaftaHitDelayed()
//         - IsGameStateValid()                  mode test again, server, ball
//                                               -> its line, then "... : État du jeu invalide"
//         - IdentifyLocalShooter("onRaftaHitDelayed")   the same steps, with this handler's lines
//         - server, ball present                -> "... : Server est null", "... : Ball est null"
//         - now - lastHitTime >= 0.9 s          -> "... : Hit trop récent, ignoré"
//           (a clock below lastHitTime is a new game, measured from 0)
//         - ball speed >= 300                   -> "... : Vitesse balle (S) < 300, ignoré"
//         - goal window closed                  -> "... : But marqué récemment, ignoré"
//         - ball in the attacked half           -> "... : Pas le but adverse (Y=..., Team=...)"
//         - CountHit()                          three counters +1, "Incrémentation compteur ...",
//                                               total stored and committed at once
//
// - OnHitBall hook  -> onHitBall(): IsModeAllowed(), then the toucher's id into lastBallTouchID.
// - Match events (MatchEvents.cpp) -> PostBeginPlay/BeginRound reset the match and reinstall the
//                      hit hooks; EndGame/StartReplay remove them, StopReplay reinstalls them;
//                      OnGoalScored opens the one-second goal window (the goal timer closes it).
#include <cmath>
#include <mutex>
#include <string>
#include <utility>

#include "Counters.h"
#include "Cp1252Literals.h"
#include "GameFunctions.h"
#include "LogText.h"
#include "PluginNames.h"
#include "Rafta.h"

using namespace rafta::literals;

namespace {

// The single-precision 0.9 s, compared in double as the game time is.
constexpr double kMinimumHitInterval = static_cast<double>(0.9F);
constexpr float kMinimumBallSpeed = 300.0F;

// Game time since the last counted hit. A clock below that hit's time started again, in a game
// whose start never reached the plugin: measured from that game's start, as after a match reset.
double SinceLastHit(double now, double lastHitTime) {
  return now < lastHitTime ? now : now - lastHitTime;
}

}  // namespace

// --- Hit hooks ---------------------------------------------------------------------------------

void Rafta::RegisterHitHook() {
  if (gate.hitHooksRegistered) {
    return;
  }
  gameWrapper->HookEventWithCaller<CarWrapper>(
      rafta::game::kOnHitBall,
      [this](CarWrapper car, void* /*params*/, std::string /*eventName*/) { onHitBall(car); });
  // Its caller is the goal frame's manager object, whatever type a hook asks for: taken as the
  // actor it is, so that nothing but IsNull can be asked of it.
  gameWrapper->HookEventWithCaller<ActorWrapper>(
      rafta::game::kTriggerHit,
      [this](ActorWrapper caller, void* /*params*/, std::string eventName) {
        onTriggerHit(std::move(eventName), caller);
      });
  gate.hitHooksRegistered = true;
  Log("Hooks enregistrés avec succès"_cp1252);
}

void Rafta::UnregisterHitHook() {
  if (!gate.hitHooksRegistered) {
    return;
  }
  gameWrapper->UnhookEvent(rafta::game::kTriggerHit);
  gameWrapper->UnhookEvent(rafta::game::kOnHitBall);
  gate.hitHooksRegistered = false;
  Log("Hooks TriggerHit et OnHitBall désenregistrés"_cp1252);
}

void Rafta::onHitBall(CarWrapper car) {
  Log(">>> Hook OnHitBall déclenché"_cp1252);
  Log("OnHitBall appelé"_cp1252);
  if (!IsModeAllowed()) {
    return;
  }
  if (car.IsNull()) {
    Log("OnHitBall : Car est nul");
    return;
  }
  PriWrapper player = car.GetPRI();
  if (player.IsNull()) {
    Log("OnHitBall : PRI est nul");
    return;
  }
  const std::string id = player.GetUniqueIdWrapper().GetIdString();
  if (id.empty()) {
    Log("OnHitBall : UID vide");
    return;
  }
  {
    const std::lock_guard lock(gate.lastTouchMutex);
    gate.lastBallTouchID = id;
  }
  Log(rafta::Concat("OnHitBall : lastBallTouchID mis à jour à "_cp1252, id));
}

void Rafta::onTriggerHit(std::string eventName, ActorWrapper caller) {
  if (caller.IsNull()) {
    Log("TriggerHit : Caller est nul");
    return;
  }
  onRaftaHit(std::move(eventName), caller);
}

// --- Counting gate -----------------------------------------------------------------------------

bool Rafta::IsModeAllowed() {
  if (gameWrapper->IsInReplay()) {
    Log("Replay détecté, comptage ignoré"_cp1252);
    return false;
  }
  if (!settings.countInFreeplayTraining &&
      (gameWrapper->IsInFreeplay() || gameWrapper->IsInCustomTraining())) {
    Log("Freeplay ou training détecté, comptage ignoré car désactivé"_cp1252);
    return false;
  }
  if (!settings.countInMatch && (gameWrapper->IsInGame() || gameWrapper->IsInOnlineGame())) {
    Log("Match détecté, comptage ignoré car désactivé"_cp1252);
    return false;
  }
  return true;
}

bool Rafta::IsGameStateValid() {
  if (!IsModeAllowed()) {
    return false;
  }
  ServerWrapper server = gameWrapper->GetCurrentGameState();
  if (server.IsNull()) {
    Log("État du jeu invalide : Server est null"_cp1252);
    return false;
  }
  if (server.GetBall().IsNull()) {
    Log("État du jeu invalide : Ball est null"_cp1252);
    return false;
  }
  if (IsDebugEnabled()) {
    Log(rafta::Concat("État du jeu : inGame="_cp1252, rafta::Bit(gameWrapper->IsInGame()),
                      ", serverValid=1, ballValid=1"));
  }
  return true;
}

// --- Hit validation and counting ---------------------------------------------------------------

std::optional<PriWrapper> Rafta::IdentifyLocalShooter(std::string_view handler,
                                                      ActorWrapper caller) {
  const std::string prefix = rafta::Concat(handler, " : ");
  if (caller.IsNull()) {
    Log(rafta::Concat(prefix, "Caller est null"));
    return std::nullopt;
  }
  CarWrapper localCar = gameWrapper->GetLocalCar();
  if (localCar.IsNull()) {
    Log(rafta::Concat(prefix, "LocalCar est null"));
    return std::nullopt;
  }
  PriWrapper localPlayer = localCar.GetPRI();
  if (localPlayer.IsNull()) {
    Log(rafta::Concat(prefix, "LocalPlayer est null"));
    return std::nullopt;
  }
  const std::string localId = localPlayer.GetUniqueIdWrapper().GetIdString();
  if (localId.empty()) {
    Log(rafta::Concat(prefix, "UID local vide"));
    return std::nullopt;
  }
  std::string lastToucher;
  {
    const std::lock_guard lock(gate.lastTouchMutex);
    lastToucher = gate.lastBallTouchID;
  }
  if (IsDebugEnabled()) {
    Log(rafta::Concat(prefix, "Dernier touché="_cp1252, lastToucher, ", Local UID=", localId));
  }
  if (lastToucher != localId) {
    Log(rafta::Concat(prefix, "Dernier touché ("_cp1252, lastToucher, ") ? toi (", localId, ")"));
    return std::nullopt;
  }
  return localPlayer;
}

void Rafta::onRaftaHit(std::string eventName, ActorWrapper caller) {
  if (IsDebugEnabled()) {
    Log(">>> onRaftaHit déclenché"_cp1252);
    Log(rafta::Concat("État du jeu : replay="_cp1252, rafta::Bit(gameWrapper->IsInReplay()),
                      ", freeplay=", rafta::Bit(gameWrapper->IsInFreeplay()),
                      ", training=", rafta::Bit(gameWrapper->IsInCustomTraining()),
                      ", inGame=", rafta::Bit(gameWrapper->IsInGame())));
  }
  if (!IsModeAllowed() || !IdentifyLocalShooter("onRaftaHit", caller)) {
    return;
  }
  onRaftaHitDelayed(std::move(eventName), caller);
}

void Rafta::onRaftaHitDelayed(std::string /*eventName*/, ActorWrapper caller) {
  if (IsDebugEnabled()) {
    Log(">>> onRaftaHitDelayed déclenché"_cp1252);
  }
  if (!IsGameStateValid()) {
    Log("onRaftaHitDelayed : État du jeu invalide"_cp1252);
    return;
  }
  std::optional<PriWrapper> localPlayer = IdentifyLocalShooter("onRaftaHitDelayed", caller);
  if (!localPlayer) {
    return;
  }
  ServerWrapper server = gameWrapper->GetCurrentGameState();
  if (server.IsNull()) {
    Log("onRaftaHitDelayed : Server est null");
    return;
  }
  BallWrapper ball = server.GetBall();
  if (ball.IsNull()) {
    Log("onRaftaHitDelayed : Ball est null");
    return;
  }
  const auto now = static_cast<double>(server.GetSecondsElapsed());
  if (SinceLastHit(now, gate.lastHitTime) < kMinimumHitInterval) {
    Log("onRaftaHitDelayed : Hit trop récent, ignoré"_cp1252);
    return;
  }
  const Vector velocity = ball.GetVelocity();
  const float speed =
      std::sqrt((velocity.Y * velocity.Y + velocity.X * velocity.X) + velocity.Z * velocity.Z);
  if (speed < kMinimumBallSpeed) {
    Log(rafta::Concat("onRaftaHitDelayed : Vitesse balle (", rafta::Fixed6(speed),
                      ") < 300, ignoré"_cp1252));
    return;
  }
  if (gate.goalScoredRecently) {
    Log("onRaftaHitDelayed : But marqué récemment, ignoré"_cp1252);
    return;
  }
  const int team = localPlayer->GetTeamNum();
  const float ballY = ball.GetLocation().Y;
  if (!((ballY > 0.0F && team == 0) || (ballY < 0.0F && team == 1))) {
    Log(rafta::Concat("onRaftaHitDelayed : Pas le but adverse (Y=", rafta::Fixed6(ballY),
                      ", Team=", std::to_string(team), ")"));
    return;
  }
  CountHit(now);
}

void Rafta::CountHit(double gameTime) {
  // A read that found no variable is tried again, as it was before anything was stored at once.
  if (storage.storedTotal == StoredTotal::Missing) {
    ReadStoredTotal();
  }
  gate.lastHitTime = gameTime;
  StoreChange({}, [this] {
    counters.totalHitCount = rafta::SaturatingAdd(counters.totalHitCount, 1);
    counters.sessionHitCount = rafta::SaturatingAdd(counters.sessionHitCount, 1);
    counters.matchHitCount = rafta::SaturatingAdd(counters.matchHitCount, 1);
    Log(rafta::Concat("Incrémentation compteur barre/poteau ! Total = "_cp1252,
                      std::to_string(counters.totalHitCount)));
    Store(rafta::Stored::Total, counters.totalHitCount);
  });
}
