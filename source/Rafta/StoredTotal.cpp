// The all-time total: read one second after load, once the host has applied what it stores, and
// merged with what was counted meanwhile.
#include <string>

#include "Counters.h"
#include "Cp1252Literals.h"
#include "LogText.h"
#include "PluginNames.h"
#include "Rafta.h"

using namespace rafta::literals;

namespace {

constexpr float kStoredTotalDelaySeconds = 1.0F;

}  // namespace

void Rafta::ScheduleStoredTotalRead() {
  gameWrapper->SetTimeout(WhileAlive<GameWrapper*>([this](GameWrapper* /*game*/) {
                            if (storage.storedTotal != StoredTotal::Read) {
                              ReadStoredTotal();
                            }
                          }),
                          kStoredTotalDelaySeconds);
}

void Rafta::ReadStoredTotal() {
  CVarWrapper stored = cvarManager->getCvar(rafta::names::kTotalVariable);
  if (stored.IsNull()) {
    storage.storedTotal = StoredTotal::Missing;
    Log("Erreur : rafta_total_hit_count est toujours nul après délai."_cp1252);
    return;
  }
  storage.storedTotal = StoredTotal::Read;
  const std::int32_t countedSinceLoad = counters.totalHitCount;
  counters.totalHitCount = rafta::SaturatingAdd(stored.getIntValue(), countedSinceLoad);
  Log(rafta::Concat("rafta_total_hit_count chargé avec valeur différée : "_cp1252,
                    std::to_string(counters.totalHitCount)));
  if (countedSinceLoad != 0) {
    stored.setValue(counters.totalHitCount);
    Commit();
  }
}

void Rafta::ResetTotal() {
  counters.totalHitCount = 0;
  StoreSetting(rafta::names::kTotalVariable, counters.totalHitCount);
}
