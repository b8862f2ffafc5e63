// The all-time total's one-second read, and its reset. The total is known from load on; the read
// puts back what an older store executed meanwhile did, and tells the total.
#include <string>

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
  if (cvarManager->getCvar(rafta::names::kTotalVariable).IsNull()) {
    storage.storedTotal = StoredTotal::Missing;
    Log("Erreur : rafta_total_hit_count est toujours nul après délai."_cp1252);
    return;
  }
  storage.storedTotal = StoredTotal::Read;
  GuardStoredValues(/*atTheRead=*/true);
  Log(rafta::Concat("rafta_total_hit_count chargé avec valeur différée : "_cp1252,
                    std::to_string(counters.totalHitCount)));
}

void Rafta::ResetTotal(Writes writes) {
  StoreChange(writes, [this] {
    Store(rafta::Stored::Resets, storage.held[rafta::IndexOf(rafta::Stored::Resets)] + 1);
    Store(rafta::Stored::Total, 0);
  });
}
