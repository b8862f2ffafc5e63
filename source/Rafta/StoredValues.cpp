// Stored values: the host's configuration and the plugin's own copy, of which the newer wins value
// by value, and a total that only a reset lowers.
//
// Both files hold the same `rafta_` lines, with two that tell them apart:
// - rafta_saves counts commits. Each commit adds one and writes it to whichever files it writes, so
//   the file with more is the newer. Two files that count the same were written at one commit, or
//   the host wrote its own after the plugin's: the host's wins.
// - rafta_resets counts total resets. The total is the largest one written since the latest reset,
//   so a total from before a reset never comes back and no store lowers it otherwise.
//
// Load reads both files itself and applies the newer values. The host may then execute an older
// config.cfg (at a game start, some time after load; or the player's `exec`): the variables' values
// then differ from what the plugin holds, and GuardStoredValues puts them back before anything is
// stored or shown. A change that is not an older store's, the player's typing, is taken.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <numeric>
#include <optional>
#include <string>

#include "Cp1252Literals.h"
#include "LogText.h"
#include "Platform.h"
#include "PluginNames.h"
#include "Rafta.h"
#include "StoredLines.h"
#include "StoredVariables.h"

using namespace rafta::literals;
using rafta::IndexOf;
using rafta::Stored;

namespace {

// A number as the variable keeps it: a float's value, or a whole number within an int's range.
double AsStored(double value, bool decimal) {
  if (decimal) {
    return static_cast<double>(static_cast<float>(value));
  }
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  return std::clamp(std::trunc(value), kLowest, kHighest);
}

// What a variable holds: nothing when the host lacks it, NaN when it holds nothing sound (a typed
// "nan", "inf", or a count no plugin wrote).
std::optional<double> ValueOf(CVarManagerWrapper& manager, const rafta::StoredVariable& variable) {
  CVarWrapper found = manager.getCvar(variable.name);
  if (found.IsNull()) {
    return std::nullopt;
  }
  const float number = found.getFloatValue();
  const double value = std::isfinite(number) && !variable.decimal
                           ? static_cast<double>(found.getIntValue())
                           : static_cast<double>(number);
  return rafta::IsSound(variable, value) ? value : std::numeric_limits<double>::quiet_NaN();
}

// The variables that hold a setting, rather than the total or the stores' bookkeeping.
bool IsSetting(std::size_t index) { return index < IndexOf(Stored::Total); }

double SavesOf(const rafta::StoredLines& lines) {
  return lines.values[IndexOf(Stored::Saves)].value_or(0.0);
}

double ResetsOf(const rafta::StoredLines& lines) {
  return lines.values[IndexOf(Stored::Resets)].value_or(0.0);
}

// The largest total written since the latest reset; 0 when neither file holds one.
double TotalSince(double latestReset, const rafta::StoredLines& copy,
                  const rafta::StoredLines& config) {
  std::optional<double> total;
  for (const rafta::StoredLines* lines : {&copy, &config}) {
    const auto& written = lines->values[IndexOf(Stored::Total)];
    if (ResetsOf(*lines) == latestReset && written) {
      total = total ? std::max(*total, *written) : *written;
    }
  }
  return total.value_or(0.0);
}

const char kSavedCopyTemporary[] = "rafta.cfg.new";  // NOLINT(*-avoid-c-arrays): a name

}  // namespace

void Rafta::Store(Stored row, double value) {
  const rafta::StoredVariable& variable = rafta::StoredVariableOf(row);
  value = AsStored(value, variable.decimal);
  Hold(row, value);
  CVarWrapper found = cvarManager->getCvar(variable.name);
  if (found.IsNull()) {
    return;
  }
  if (variable.decimal) {
    found.setValue(static_cast<float>(value));
  } else {
    found.setValue(static_cast<int>(value));
  }
}

void Rafta::Hold(Stored row, double value) {
  storage.held.at(IndexOf(row)) = value;
  if (const auto setField = rafta::StoredVariableOf(row).setField) {
    setField(*this, value);
  }
}

// A configuration that counts no saves changes no count when the host executes it: only the values
// it lost at load tell that it was.
void Rafta::KeepIfStale(std::size_t index, const rafta::StoredLines& config, bool lost) {
  const std::optional<double>& value = config.values.at(index);
  if (lost && !config.values[IndexOf(Stored::Saves)] && value && *value != storage.held[index]) {
    storage.stale.at(index) = value;
  }
}

void Rafta::ApplyStoredValues() {
  const std::filesystem::path folder = gameWrapper->GetBakkesModPath() / "cfg";
  storage.copy = folder / rafta::names::kSavedCopyFile;
  storage.copyTemporary = folder / kSavedCopyTemporary;
  const rafta::StoredLines copy = rafta::ReadStoredLines(storage.copy);
  // Wherever `--config` put it, a configuration the plugin cannot find counts as missing.
  const rafta::StoredLines config = rafta::ReadStoredLines(folder / rafta::names::kHostConfigFile);
  if (copy.unsound || copy.file == rafta::platform::FileRead::Status::Unreadable) {
    Log(rafta::Concat("Erreur : "_cp1252, rafta::platform::PathForLog(storage.copy),
                      " est endommagé, les valeurs de config.cfg sont gardées"_cp1252));
  }
  // Of two that count as many saves, the host's was written last: it writes at every commit after
  // the copy, and whenever the player saves what was typed.
  const bool copyIsNewer = SavesOf(copy) > SavesOf(config);
  storage.hostFileUncounted =
      !config.values[IndexOf(Stored::Saves)] &&
      std::any_of(config.values.begin(), config.values.end(),
                  [](const std::optional<double>& value) { return value.has_value(); });
  const rafta::StoredLines& newer = copyIsNewer ? copy : config;
  const rafta::StoredLines& older = copyIsNewer ? config : copy;
  for (std::size_t index = 0; IsSetting(index); ++index) {
    const auto row = static_cast<Stored>(index);
    // A variable neither file holds keeps the default it was registered with.
    if (const auto value = newer.values[index] ? newer.values[index] : older.values[index]) {
      Store(row, *value);
    } else {
      Hold(row, std::strtod(rafta::StoredVariableOf(row).defaultValue, nullptr));
    }
    KeepIfStale(index, config, copyIsNewer);
  }
  const double latestReset = std::max(ResetsOf(copy), ResetsOf(config));
  Store(Stored::Resets, latestReset);
  Store(Stored::Total, TotalSince(latestReset, copy, config));
  KeepIfStale(IndexOf(Stored::Total), config, copyIsNewer || ResetsOf(config) < latestReset);
  Store(Stored::Saves, std::max(SavesOf(copy), SavesOf(config)));
}

bool Rafta::SavesMoved() const {
  static const std::string saves = rafta::names::kSavesVariable;
  const std::optional<int> count = ReadSetting<int>(saves);
  return count && *count != storage.held[IndexOf(Stored::Saves)];
}

// The stored variables as read now, against what the plugin holds, and which store executed them.
struct Rafta::StoredReading {
  std::array<std::optional<double>, rafta::kStoredCount> now{};
  const rafta::StoredNumbers* held = nullptr;
  bool olderStore = false;  // a store that counts fewer saves: everything it changed is older
  bool newerStore = false;  // one that counts more, and changed more than the count

  [[nodiscard]] bool Differs(Stored row) const {
    const std::optional<double>& value = now.at(IndexOf(row));
    return value && !(*value == held->at(IndexOf(row)));  // NaN differs from anything
  }
};

void Rafta::GuardStoredValues(bool atTheRead) {
  StoredReading reading{{}, &storage.held};
  bool moved = false;
  for (std::size_t index = 0; index < reading.now.size(); ++index) {
    reading.now[index] = ValueOf(*cvarManager, rafta::StoredVariables()[index]);
    moved = moved || reading.Differs(static_cast<Stored>(index));
  }
  if (!moved) {
    return;
  }
  // A count of saves typed alone is no store's.
  bool valuesMoved = false;
  for (std::size_t index = 0; index < reading.now.size(); ++index) {
    valuesMoved = valuesMoved ||
                  (index != IndexOf(Stored::Saves) && reading.Differs(static_cast<Stored>(index)));
  }
  const std::optional<double> saves = reading.now[IndexOf(Stored::Saves)];
  reading.olderStore = saves && *saves < storage.held[IndexOf(Stored::Saves)];
  reading.newerStore = saves && *saves > storage.held[IndexOf(Stored::Saves)] && valuesMoved;
  GuardStoredSettings(reading);
  if (reading.newerStore) {
    storage.held[IndexOf(Stored::Saves)] = *saves;
  } else if (reading.Differs(Stored::Saves)) {
    Store(Stored::Saves, storage.held[IndexOf(Stored::Saves)]);
  }
  GuardStoredTotal(reading, atTheRead);
}

// A value an older store brought back: its count of saves says so, or, for one that counts none,
// it is a value that store lost at load.
bool Rafta::IsOlderStoreValue(const StoredReading& reading, std::size_t index) const {
  const std::optional<double>& stale = storage.stale.at(index);
  return reading.olderStore || (!reading.newerStore && stale && reading.now.at(index) &&
                                *stale == *reading.now.at(index));
}

void Rafta::GuardStoredSettings(const StoredReading& reading) {
  for (std::size_t index = 0; IsSetting(index); ++index) {
    const auto row = static_cast<Stored>(index);
    if (!reading.Differs(row)) {
      continue;
    }
    if (IsOlderStoreValue(reading, index) || std::isnan(*reading.now[index])) {
      Store(row, storage.held[index]);
    } else {
      storage.held[index] = *reading.now[index];
    }
  }
}

// A newer store's later reset starts the total over; otherwise it never goes down, and a larger one
// is taken only from a newer store, or as the one-second read takes what the variable holds.
void Rafta::GuardStoredTotal(const StoredReading& reading, bool atTheRead) {
  const std::optional<double> resets = reading.now[IndexOf(Stored::Resets)];
  const std::optional<double> total = reading.now[IndexOf(Stored::Total)];
  const bool sound = total && std::isfinite(*total);
  if (reading.newerStore && resets && *resets > storage.held[IndexOf(Stored::Resets)]) {
    storage.held[IndexOf(Stored::Resets)] = *resets;
    Store(Stored::Total, sound ? *total : 0.0);
  } else {
    if (reading.Differs(Stored::Resets)) {
      Store(Stored::Resets, storage.held[IndexOf(Stored::Resets)]);
    }
    if (sound && *total > storage.held[IndexOf(Stored::Total)] &&
        !IsOlderStoreValue(reading, IndexOf(Stored::Total)) && (reading.newerStore || atTheRead)) {
      Hold(Stored::Total, *total);
    } else if (reading.Differs(Stored::Total)) {
      Store(Stored::Total, storage.held[IndexOf(Stored::Total)]);
    }
  }
}

void Rafta::Commit(Writes writes) {
  const std::lock_guard lock(storage.commitMutex);
  // The files this commit writes are the newest; an older one's count says so at the next load.
  Store(Stored::Saves, storage.held[IndexOf(Stored::Saves)] + 1);
  // A configuration that counts no saves would win over the copy once the host wrote it with the
  // values an execution of it brought back: it gets its count now.
  if (writes.host || storage.hostFileUncounted) {
    cvarManager->executeCommand("writeconfig", true);
    storage.hostFileUncounted = false;
    writes.host = true;
  }
  // What only the copy was to keep goes to the host's file when the copy cannot take it.
  if (writes.copy && !WriteSavedCopy(writes.flush) && !writes.host) {
    cvarManager->executeCommand("writeconfig", true);
  }
}

bool Rafta::WriteSavedCopy(bool flush) {
  rafta::WriteStoredLines(storage.held, storage.copyText);
  const bool written = rafta::platform::ReplaceWholeFile(storage.copyTemporary, storage.copy,
                                                         storage.copyText, flush);
  // Once for each run of failures, not at every hit.
  if (!written && !storage.copyUnwritable) {
    Log(rafta::Concat("Erreur : impossible d'écrire "_cp1252,
                      rafta::platform::PathForLog(storage.copy),
                      ", seul config.cfg garde les valeurs"_cp1252));
  }
  storage.copyUnwritable = !written;
  return written;
}

void Rafta::SaveSettings() {
  GuardStoredValues();
  // What the object holds, for every variable that mirrors a field, in the order unload stores.
  std::array<std::size_t, rafta::kStoredCount> rows{};
  std::iota(rows.begin(), rows.end(), std::size_t{0});
  std::ranges::stable_sort(
      rows, {}, [](std::size_t row) { return rafta::StoredVariables()[row].unloadOrder; });
  for (const std::size_t row : rows) {
    if (const auto field = rafta::StoredVariables()[row].field) {
      Store(static_cast<Stored>(row), field(*this));
    }
  }
  LogOverlayPosition();
  // Nothing waits any more: both files reach the disk now.
  Commit({.flush = true});
  Log("Commande writeconfig exécutée"_cp1252);
}
