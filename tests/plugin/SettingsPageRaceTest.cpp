// The settings page worked on a render thread of its own while the game thread plays a match, as
// the real host runs them: the ThreadSanitizer build (make test-tsan) reports any data race
// between the two, and every build checks that the stored total is what the counted hits and the
// resets make it, whatever their interleaving.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <exception>
#include <string>
#include <thread>

#include "PluginScript.h"
#include "ReadyToCount.h"
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
constexpr std::array<const char*, 4> kKeys = {"rafta_toggle_overlay", "rafta_style next",
                                              "rafta_reset_session", "rafta_reset_total confirm"};

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
  return {
      "wait 1", "touch me",
      "hit",    "event OnGoalScored",
      "frame",  std::string("command ") + kKeys.at(static_cast<std::size_t>(round) % kKeys.size())};
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
    if (s.host().console().findCvar("rafta_total_hit_count")->text() == "0") {
      countedSinceZero = 0;
    }
  }

  PluginScript s;
  int counted = 0;
  int countedSinceZero = 0;
};

TEST_F(SettingsPageRace, ThePageOnItsRenderThreadLosesNothingTheGameCounts) {
  // Thousands of commits: the file's own writes are tested elsewhere.
  s.host().console().setConfigFileWrites(false);
  s.run(kReadyToCount);
  sim::SettingsWindow window;
  sim::SettingsWindowUser user(window, s.plugin(), "page");
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
    for (const std::string& line : gameRound(round)) {
      play(line);
    }
  }
  render.join();
  if (pageFailure) {
    std::rethrow_exception(pageFailure);
  }
  play("frame");  // what the page handed over last
  s.run("unload");
  EXPECT_GT(counted, 0);
  EXPECT_EQ(s.host().console().storedValues().at("rafta_total_hit_count"),
            std::to_string(countedSinceZero));
}

}  // namespace
}  // namespace rafta::testing
