#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "bakkesmod/plugin/bakkesmodplugin.h"

// After bakkesmodplugin.h, which brings what it needs.
#include "bakkesmod/plugin/PluginSettingsWindow.h"

#include "OverlayStyles.h"
#include "PageCopy.h"
#include "StoredLines.h"
#include "StoredVariables.h"

// Counts the local player's shots that strike the frame of the opposing goal and paints the
// counters over the game.
class Rafta final : public BakkesMod::Plugin::BakkesModPlugin,
                    public BakkesMod::Plugin::PluginSettingsWindow {
 public:
  void onLoad() override;
  void onUnload() override;

  void RenderSettings() override;
  std::string GetPluginName() override;
  void SetImGuiContext(std::uintptr_t context) override;

 private:
  // Whether the one-second read has said what the stored total is. The total itself is known from
  // load on; the read, and the line that tells it, are kept for whoever reads the log.
  enum class StoredTotal : std::uint8_t {
    Pending,  // the read has not run yet; an unload before it runs it
    Missing,  // a read found no variable: tried again at the next counted hit and at unload
    Read,     // told
  };

  // Which files a commit writes: the host's configuration (`writeconfig`), the plugin's copy, and
  // whether they must reach the disk before it returns.
  struct Writes {
    bool host = true;
    bool copy = true;
    bool flush = false;
  };

  // Fields: what each means, and who writes it. The game thread alone writes them all: the
  // settings page's changes reach them through Execute.
  struct Counters {
    std::int32_t matchHitCount = 0;    // hits this match; count, match and round reset
    std::int32_t totalHitCount = 0;    // all-time hits; stored read, count, total resets
    std::int32_t sessionHitCount = 0;  // hits since creation; count, session resets
  };

  // What decides whether the next goal-frame hit counts.
  struct HitGate {
    bool goalScoredRecently = false;  // goal window open; goal handler, goal timer, reset
    double lastHitTime = 0.0;         // game time of the last counted hit; count, reset
    bool hitHooksRegistered = false;  // both hit hooks installed; (Un)RegisterHitHook
    std::string lastBallTouchID;      // id of the last accepted toucher; OnHitBall hook
    std::mutex lastTouchMutex;        // held only to assign or copy lastBallTouchID
  };

  // What the overlay measured and loaded.
  struct OverlayDrawing {
    Vector2F textSize{0.0F, 0.0F};            // last measured counter line; every frame
    std::shared_ptr<ImageWrapper> goalImage;  // goal picture, empty when unusable; load
  };

  // What the player sets, which the settings page reads on the render thread. Atomic, not a
  // snapshot under a lock: each is a value of its own that one widget shows, so no reader needs two
  // of them to agree, and no write needs a publishing step that a new writer could forget.
  struct PlayerSettings {
    std::atomic<bool> overlayEnabled = true;           // overlay shown; load, page, toggle command
    std::atomic<float> overlayX = 100.0F;              // overlay left edge; load, every frame, page
    std::atomic<float> overlayY = 100.0F;              // overlay top edge; load, every frame, page
    std::atomic<bool> countInFreeplayTraining = true;  // count in freeplay and training; page
    std::atomic<bool> countInMatch = true;             // count while in a game; page
    std::atomic<std::int32_t> overlayStyle = 0;  // style 0-4; load, every frame, page, command
  };

  // What is stored, and what keeps an older store from undoing a newer one. The game thread's.
  struct Storage {
    rafta::StoredNumbers held{};  // each stored variable's value as the plugin set or took it
    // What an execution of an older config.cfg that counts no saves would bring back; load.
    std::array<std::optional<double>, rafta::kStoredCount> stale{};
    StoredTotal storedTotal = StoredTotal::Pending;  // the one-second read; read, hits, unload
    std::filesystem::path copy;                      // rafta.cfg in the host's cfg folder; load
    std::filesystem::path copyTemporary;  // written first, then renamed over the copy; load
    std::string copyText;                 // the copy's lines, their room kept; Commit
    bool copyUnwritable = false;          // the last write of the copy failed; Commit
    // config.cfg holds this plugin's lines but counts no saves (an older version wrote it): until
    // the host writes it again, a write of the copy alone could leave it able to win; load, Commit.
    bool hostFileUncounted = false;
    std::mutex commitMutex;  // one commit at a time, whatever thread asks
  };

  // The page's copies of what its widgets edit; the render thread's alone.
  struct PageCopies {
    rafta::PageCopy<bool> overlayEnabled;           // "Afficher overlay"
    rafta::PageCopy<bool> countInFreeplayTraining;  // " Freeplay / Entrainement"
    rafta::PageCopy<bool> countInMatch;             // "All Match"
    rafta::PageCopy<float> overlayX;                // "Position X"
    rafta::PageCopy<float> overlayY;                // "Position Y"
  };

  Counters counters;
  HitGate gate;
  OverlayDrawing drawing;
  PlayerSettings settings;
  Storage storage;
  PageCopies pageCopies;
  // Weakly held by timers and commands, which may outlive the object or the load they were made
  // for; replaced at unload so that they stand down. Atomic: what the page hands to Execute takes
  // it on the render thread.
  std::atomic<std::shared_ptr<const bool>> liveness = std::make_shared<const bool>(true);

  // Load and unload (Rafta.cpp).
  void LoadGoalImage();

  // The plugin's lines in the host's console, and the switch that adds the debug ones
  // (Logging.cpp).
  void Log(std::string_view text) const;
  [[nodiscard]] bool IsDebugEnabled() const;
  void LogOverlayPosition() const;

  // Match and replay events (MatchEvents.cpp): hooked by load.
  void HookMatchEvents();
  void UnhookMatchEvents();
  void onMatchStart(std::string eventName);
  void onMatchEnd(std::string eventName);
  void onRoundStart(std::string eventName);
  void onGoalScoredEvent(std::string eventName);
  void onReplayStart(std::string eventName);
  void onReplayEnd(std::string eventName);
  void onGoalScored(std::string eventName);
  void ResetMatch();

  // The hit hooks, the counting gate and the validation of a goal-frame hit (HitCounting.cpp).
  void RegisterHitHook();
  void UnregisterHitHook();
  void onHitBall(CarWrapper car);
  void onTriggerHit(std::string eventName, ActorWrapper caller);
  bool IsModeAllowed();
  bool IsGameStateValid();
  // Steps shared by both hit handlers: the local player, if the last toucher is that player.
  std::optional<PriWrapper> IdentifyLocalShooter(std::string_view handler, ActorWrapper caller);
  void onRaftaHit(std::string eventName, ActorWrapper caller);
  void onRaftaHitDelayed(std::string eventName, ActorWrapper caller);
  // Raises the three counters for one counted hit, and stores and commits the total.
  void CountHit(double gameTime);

  // The stored total's one-second read (StoredTotal.cpp).
  void ScheduleStoredTotalRead();
  void ReadStoredTotal();
  // Sets the all-time total to zero for good: a reset that no older store brings back. The page's
  // button writes only the copy; the bound command both files.
  void ResetTotal(Writes writes);

  // Settings variables (ConsoleVariables.cpp).
  [[nodiscard]] static const std::array<rafta::StoredVariable, rafta::kStoredCount>&
  StoredVariableTable();
  friend const std::array<rafta::StoredVariable, rafta::kStoredCount>& rafta::StoredVariables();
  void RegisterDebugVariable();
  void RegisterSettingsVariables();
  // A setting's variable, read as T (bool, int or float); nothing when the host does not have it,
  // since a call through a null handle crashes the game.
  template <typename T>
  [[nodiscard]] std::optional<T> ReadSetting(std::string name) const {
    CVarWrapper variable = cvarManager->getCvar(std::move(name));
    if (variable.IsNull()) {
      return std::nullopt;
    }
    if constexpr (std::is_same_v<T, bool>) {
      return variable.getBoolValue();
    } else if constexpr (std::is_same_v<T, float>) {
      return variable.getFloatValue();
    } else {
      return variable.getIntValue();
    }
  }

  // Stored values (StoredValues.cpp): the host's configuration and the plugin's copy, of which the
  // newer wins value by value, and a total that only a reset lowers.
  // Load's: reads both files and applies the newer values.
  void ApplyStoredValues();
  void KeepIfStale(std::size_t index, const rafta::StoredLines& config, bool lost);
  // Undoes what an older store's execution or an unsound value did to the stored variables, and
  // takes any other change, the player's, as the plugin's own; a larger total only at the
  // one-second read or from a newer store.
  void GuardStoredValues(bool atTheRead = false);
  struct StoredReading;
  [[nodiscard]] bool IsOlderStoreValue(const StoredReading& reading, std::size_t index) const;
  void GuardStoredSettings(const StoredReading& reading);
  void GuardStoredTotal(const StoredReading& reading, bool atTheRead);
  // Whether the count of saves is not the plugin's: the host executed a store since.
  [[nodiscard]] bool SavesMoved() const;
  // Whether a stored variable read as `value` holds what the plugin holds of it.
  [[nodiscard]] bool IsHeld(rafta::Stored row, double value) const {
    return value == storage.held.at(rafta::IndexOf(row));
  }
  // Writes a stored variable, unless the host lacks it, and holds the value as Hold does.
  void Store(rafta::Stored row, double value);
  // What the plugin holds of a stored variable, and the field it mirrors.
  void Hold(rafta::Stored row, double value);
  // A change of stored values: others' changes are sorted out first, then it is made and committed.
  template <typename Change>
  void StoreChange(Writes writes, const Change& change) {
    GuardStoredValues();
    change();
    Commit(writes);
  }
  void Commit(Writes writes);
  // False when the copy could not be replaced; said once for each run of failures.
  bool WriteSavedCopy(bool flush);
  void SaveSettings();

  // A player's changes from the page or a bound command, each stored and committed at once so
  // that a game that exits without unloading keeps it (SettingChanges.cpp).
  void ResetSession();
  void ShowOverlay(bool shown);
  // The field too, so that an unload before the next frame stores it.
  void ChooseStyle(int style);
  // Takes the positions the page moved: those of a slider are stored and committed to the host at
  // every step, and to the copy once the drag ends; those it only pulled back onto the screen are
  // not stored.
  void MoveOverlay(std::optional<float> x, std::optional<float> y, bool xSlid, bool ySlid,
                   bool dragEnded);

  // Console commands a player binds to keys; each gets the words typed, its own name first
  // (Commands.cpp).
  struct CommandDefinition {
    const char* name;
    std::string_view description;
    void (Rafta::*handler)(std::vector<std::string> words);
  };
  [[nodiscard]] static std::span<const CommandDefinition> Commands();
  void RegisterCommands();
  void RemoveCommands();
  void onToggleOverlayCommand(std::vector<std::string> words);
  void onStyleCommand(std::vector<std::string> words);
  void onResetSessionCommand(std::vector<std::string> words);
  void onResetTotalCommand(std::vector<std::string> words);

  // The overlay and its styles (Overlay.cpp).
  void RenderOverlay(CanvasWrapper canvas);
  // By number: a style is one row here, and its drawing.
  [[nodiscard]] static std::span<const rafta::OverlayStyle> OverlayStyles();
  void DrawClassique(rafta::OverlayFrame& frame);
  void DrawMinimaliste(rafta::OverlayFrame& frame);
  void DrawLarge(rafta::OverlayFrame& frame);
  void DrawSobre(rafta::OverlayFrame& frame);
  void DrawTableau(rafta::OverlayFrame& frame);
  [[nodiscard]] Vector2 CanvasSize() const;
  [[nodiscard]] bool IsGoalPictureShown() const;
  void DrawBoxed(CanvasWrapper& canvas, LinearColor background, float pictureScale,
                 Vector2 canvasSize, std::string counterLine);
  // The host takes texts by value: the line is moved to it, not copied.
  void DrawYellowLine(CanvasWrapper& canvas, std::string text) const;

  // The settings page's sections, and the way their changes reach the plugin's state
  // (SettingsPage.cpp).
  void RenderCounterResets();
  void RenderPositionSliders();
  void RenderStyleChoice();
  // Runs the action on the game thread, unless this load or object is over by then.
  void OnGameThread(std::function<void()> action);

  // Wraps a callback that the host may still call after unload or after this object is gone:
  // it then does nothing.
  template <typename... Args, typename Action>
  std::function<void(Args...)> WhileAlive(Action action) const {
    return [alive = std::weak_ptr<const bool>(liveness.load()),
            action = std::move(action)](Args... args) {
      if (!alive.expired()) {
        action(std::move(args)...);
      }
    };
  }
};

// Module-wide: the console-variable manager of the last load.
extern std::shared_ptr<CVarManagerWrapper> globalCvarManager;

// The module's entry points, as the host finds them.
extern "C" {
BAKKESMOD_PLUGIN_EXPORT extern BakkesMod::Plugin::PluginInfo exports;
BAKKESMOD_PLUGIN_EXPORT std::uintptr_t getPlugin();
BAKKESMOD_PLUGIN_EXPORT void deleteMe();
}
