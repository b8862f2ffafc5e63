// Match and replay events: the hooks follow them and the match state is reset; a goal opens the
// one-second window in which no hit counts.
#include <string>
#include <utility>

#include "Cp1252Literals.h"
#include "GameFunctions.h"
#include "Rafta.h"

using namespace rafta::literals;

namespace {

constexpr float kGoalWindowSeconds = 1.0F;

}  // namespace

void Rafta::HookMatchEvents() {
  using namespace rafta::game;
  gameWrapper->HookEvent(kPostBeginPlay,
                         [this](std::string name) { onMatchStart(std::move(name)); });
  gameWrapper->HookEvent(kEndGame, [this](std::string name) { onMatchEnd(std::move(name)); });
  gameWrapper->HookEvent(kBeginRound, [this](std::string name) { onRoundStart(std::move(name)); });
  gameWrapper->HookEvent(kOnGoalScored,
                         [this](std::string name) { onGoalScoredEvent(std::move(name)); });
  gameWrapper->HookEvent(kStartReplay,
                         [this](std::string name) { onReplayStart(std::move(name)); });
  gameWrapper->HookEvent(kStopReplay, [this](std::string name) { onReplayEnd(std::move(name)); });
}

// Every hooked event captures this object, so none may stay behind it: these five, and
// PostBeginPlay, which unload removes on its own before it saves.
void Rafta::UnhookMatchEvents() {
  using namespace rafta::game;
  for (const char* name : {kEndGame, kBeginRound, kOnGoalScored, kStartReplay, kStopReplay}) {
    gameWrapper->UnhookEvent(name);
  }
}

void Rafta::onMatchStart(std::string /*eventName*/) {
  Log("PostBeginPlay: Réinitialisation des hooks et variables Rafta"_cp1252);
  ResetMatch();
}

void Rafta::onMatchEnd(std::string /*eventName*/) {
  Log("EndGame: Désenregistrement des hooks Rafta"_cp1252);
  UnregisterHitHook();
}

void Rafta::onRoundStart(std::string /*eventName*/) {
  Log("BeginRound: Réinitialisation des hooks et variables Rafta"_cp1252);
  ResetMatch();
}

void Rafta::onGoalScoredEvent(std::string eventName) {
  Log("Événement OnGoalScored détecté"_cp1252);
  onGoalScored(std::move(eventName));
}

void Rafta::onReplayStart(std::string /*eventName*/) {
  Log("Début du replay : désenregistrement du hook TriggerHit"_cp1252);
  UnregisterHitHook();
}

void Rafta::onReplayEnd(std::string /*eventName*/) {
  Log("Fin du replay : réenregistrement du hook TriggerHit"_cp1252);
  RegisterHitHook();
}

void Rafta::ResetMatch() {
  UnregisterHitHook();
  RegisterHitHook();
  counters.matchHitCount = 0;
  gate.lastHitTime = 0.0;
  gate.goalScoredRecently = false;
}

void Rafta::onGoalScored(std::string /*eventName*/) {
  if (gameWrapper->IsInFreeplay() || gameWrapper->IsInCustomTraining()) {
    Log("But marqué ignoré : mode Freeplay ou Entraînement"_cp1252);
    return;
  }
  Log("But marqué détecté !"_cp1252);
  gate.goalScoredRecently = true;
  gameWrapper->SetTimeout(WhileAlive<GameWrapper*>([this](GameWrapper* /*game*/) {
                            gate.goalScoredRecently = false;
                            Log("goalScoredRecently réinitialisé"_cp1252);
                          }),
                          kGoalWindowSeconds);
}
