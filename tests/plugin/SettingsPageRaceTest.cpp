// The settings page worked on a render thread of its own, and bound keys typed on a console thread,
// while the game thread plays a match, as the real host may run them: the ThreadSanitizer build
// (make test-tsan) reports any data race between them, and every build checks that the stored total
// is what the counted hits and the resets make it, whatever their interleaving.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <exception>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "PluginHost.h"
#include "sim/host/ConsoleCommands.h"
#include "sim/window/SettingsWindow.h"
#include "sim/window/SettingsWindowUser.h"

namespace rafta::testing {
namespace {

constexpr int kPageRounds = 6;
// The game plays on while the page is worked, and at least this long.
constexpr int kLeastGameRounds = 40;
constexpr std::array<const char*, 5> kStyles = {"Classique", "Minimaliste", "Large", "Sobre",
                                                "Tableau"};
// Bound keys, one a round in turn: the game thread's own resets among them.
const std::array<std::string, 4> kKeys = {
    command(names::kToggleOverlayCommand), command(names::kStyleCommand, "next"),
    command(names::kResetSessionCommand), command(names::kResetTotalCommand, "confirm")};

// Every control of the page, each switch clicked twice so that hits go on counting.
void workThePage(sim::SettingsWindowUser& user, int round) {
  user.look(1);
  user.click("Afficher overlay");
  user.click(" Freeplay / Entrainement");
  user.click("All Match");
  user.click("Reinitialiser le compteur session");
  user.slide("Position X", 150.0 * round);
  user.click("All Match");
  user.slide("Position Y", 90.0 * round);
  user.choose(kStyles.at(static_cast<std::size_t>(round) % kStyles.size()));
  user.click("Reinitialiser le compteur total");
  user.click(" Freeplay / Entrainement");
  user.click("Afficher overlay");
}

// A goal-frame hit that counts unless the page has just switched counting in matches off; a goal
// whose window the next round's wait closes again; a frame; a bound key.
std::array<std::string, 6> gameRound(int round) {
  return {"wait 1", "touch me",
          "hit",    "event OnGoalScored",
          "frame",  kKeys.at(static_cast<std::size_t>(round) % kKeys.size())};
}

class SettingsPageRace : public ::testing::Test {
 protected:
  // Plays one script line, which ends with what the page handed to Execute; keeps count of the
  // hits counted since the total last read zero.
  void play(const std::string& line) {
    for (const std::string& logged : s.linesOf(line)) {
      if (logged.starts_with("Incrémentation compteur barre/poteau")) {
        ++countedSinceZero;
        ++counted;
      }
    }
    if (s.cvar(names::kTotalVariable) == "0") {
      countedSinceZero = 0;
    }
  }

  void playRound(int round) {
    for (const std::string& line : gameRound(round)) {
      play(line);
    }
  }

  PluginHost s;
  int counted = 0;
  int countedSinceZero = 0;
};

TEST_F(SettingsPageRace, ThePageOnItsRenderThreadLosesNothingTheGameCounts) {
  // Thousands of commits: the file's own writes are tested elsewhere.
  s.host().behaviour().writesConfigFile = false;
  s.run(kReadyToCount);
  sim::SettingsWindow window;
  sim::SettingsWindowUser user(window, s.page(), "page");
  std::atomic<bool> pageDone = false;
  std::exception_ptr pageFailure;
  std::thread render([&] {
    try {
      for (int round = 1; round <= kPageRounds; ++round) {
        workThePage(user, round);
      }
    } catch (...) {
      pageFailure = std::current_exception();
    }
    pageDone = true;
  });
  for (int round = 0; round < kLeastGameRounds || !pageDone; ++round) {
    playRound(round);
  }
  render.join();
  if (pageFailure) {
    std::rethrow_exception(pageFailure);
  }
  play("frame");  // what the page handed over last
  // Two clicks leave a switch as it was only if the game thread took the first before the page drew
  // it again: the page may end with counting in matches off. A round after it counts, once the
  // switch is put back on if need be.
  const std::size_t before = s.log().size();
  playRound(1);
  if (std::find(s.log().begin() + static_cast<std::ptrdiff_t>(before), s.log().end(),
                "Match détecté, comptage ignoré car désactivé") != s.log().end()) {
    play("toggle \"All Match\"");
    playRound(2);
  }
  s.run("unload");
  EXPECT_GT(counted, 0);
  EXPECT_EQ(s.stored(names::kTotalVariable), std::to_string(countedSinceZero));
}

// Which thread the host's console runs a command on is not documented: the command must act on the
// game thread, between hits, and its commit never interleave theirs.
TEST_F(SettingsPageRace, KeysTypedOnAnotherThreadLoseNothingTheGameCounts) {
  s.run(kReadyToCount);
  using Typed = std::pair<const char*, std::vector<std::string>>;
  const std::array<Typed, 4> keys = {
      Typed{names::kResetTotalCommand, {names::kResetTotalCommand, "confirm"}},
      Typed{names::kStyleCommand, {names::kStyleCommand, "next"}},
      Typed{names::kToggleOverlayCommand, {names::kToggleOverlayCommand}},
      Typed{names::kResetSessionCommand, {names::kResetSessionCommand}}};
  std::vector<std::pair<sim::ConsoleCommands::Notifier, std::vector<std::string>>> typing;
  for (const auto& [name, words] : keys) {
    for (auto& notifier : s.host().commands().notifiers(name)) {
      typing.emplace_back(std::move(notifier), words);
    }
  }
  ASSERT_EQ(typing.size(), keys.size());
  std::atomic<bool> consoleDone = false;
  std::thread console([&] {
    for (int round = 0; round < kLeastGameRounds; ++round) {
      for (const auto& [notifier, words] : typing) {
        notifier(words);
      }
    }
    consoleDone = true;
  });
  for (int round = 0; round < kLeastGameRounds || !consoleDone; ++round) {
    playRound(round);
  }
  console.join();
  play("frame");  // what the console handed over last
  s.run("unload");
  EXPECT_GT(counted, 0);
  EXPECT_EQ(s.stored(names::kTotalVariable), std::to_string(countedSinceZero));
  const std::string storedLine =
      std::string(names::kTotalVariable) + " \"" + std::to_string(countedSinceZero) + "\"\n";
  EXPECT_NE(s.savedCopy().find(storedLine), std::string::npos) << s.savedCopy();
}

}  // namespace
}  // namespace rafta::testing
