// Hit counting: match and replay events, the hit hooks, and counting a hit.
#include <string>
#include <utility>

#include "Counters.h"
#include "Cp1252.h"
#include "GameFunctions.h"
#include "Rafta.h"
#include "Text.h"

using namespace rafta::literals;

void Rafta::RegisterHitHook() {
  if (hitHooksRegistered) {
    return;
  }
  gameWrapper->HookEventWithCaller<CarWrapper>(rafta::game::kOnHitBall,
                                               [](CarWrapper, void*, std::string) {});
  gameWrapper->HookEventWithCaller<CarWrapper>(rafta::game::kTriggerHit,
                                               [](CarWrapper, void*, std::string) {});
  hitHooksRegistered = true;
  Log("Hooks enregistrés avec succès"_cp1252);
}

void Rafta::UnregisterHitHook() {
  if (!hitHooksRegistered) {
    return;
  }
  gameWrapper->UnhookEvent(rafta::game::kTriggerHit);
  gameWrapper->UnhookEvent(rafta::game::kOnHitBall);
  hitHooksRegistered = false;
  Log("Hooks TriggerHit et OnHitBall désenregistrés"_cp1252);
}

void Rafta::CountHit(double gameTime) {
  lastHitTime = gameTime;
  totalHitCount = rafta::SaturatingAdd(totalHitCount, 1);
  sessionHitCount = rafta::SaturatingAdd(sessionHitCount, 1);
  matchHitCount = rafta::SaturatingAdd(matchHitCount, 1);
  Log(rafta::Concat("Incrémentation compteur barre/poteau ! Total = "_cp1252,
                    std::to_string(totalHitCount)));
  // Until the stored total is known the delayed read stores the sum; writing now would lose it.
  if (!storedTotalRead) {
    return;
  }
  const CVarWrapper stored = cvarManager->getCvar("rafta_total_hit_count");
  if (!stored.IsNull()) {
    stored.setValue(totalHitCount);
  }
  Commit();
}

void Rafta::onMatchStart(std::string /*eventName*/) {}
void Rafta::onMatchEnd(std::string /*eventName*/) {}
void Rafta::onRoundStart(std::string /*eventName*/) {}
void Rafta::onGoalScoredEvent(std::string /*eventName*/) {}
void Rafta::onReplayStart(std::string /*eventName*/) {}
void Rafta::onReplayEnd(std::string /*eventName*/) {}
void Rafta::onGoalScored(std::string /*eventName*/) {}
