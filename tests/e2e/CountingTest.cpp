// Counting through rafta-sim and the real module, and every shipped scenario.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "SimRunner.h"

namespace rafta::testing {
namespace {

const std::string kShotOnTarget =
    "car me id me-id team 0\nlocal me\nstate ingame=1\nball pos 0 4000 100 vel 1000 0 0\n";

TEST(StoredTotal, AHitHalfASecondAfterLoadIsAddedToTheStoredTotalAtOnce) {
  for (const std::string delay : {"0", "0.5"}) {
    const SimWorkspace workspace;
    workspace.writeConfig("rafta_total_hit_count \"57\"\n");
    std::string script = "config-delay " + delay + "\n";
    script += kShotOnTarget;
    const ProgramRun run = workspace.play(
        script +
        "load\nwait 0.5\nclock 30\ntouch me\nhit\n"
        "expect log \"Incrémentation compteur barre/poteau ! Total = 58\"\n"
        "expect stored rafta_total_hit_count 58\n"
        "wait 0.5\n"
        "expect log \"rafta_total_hit_count chargé avec valeur différée : 58\"\n"
        "expect cvar rafta_total_hit_count 58\nexpect stored rafta_total_hit_count 58\n");
    EXPECT_EQ(run.status, 0) << "config-delay " << delay << "\n" << run.err;
  }
}

// The host has no total variable at the delayed read: the read is tried again before the next
// counted hit writes anything, so the stored total is added to, never replaced.
TEST(StoredTotal, AReadThatFoundNoVariableIsTriedAgainAtTheNextCountedHit) {
  const SimWorkspace workspace;
  workspace.writeConfig("rafta_total_hit_count \"57\"\n");
  const ProgramRun run = workspace.play(kShotOnTarget +
                                        "load\nfaults 1 1 null\nwait 1\nfaults off\n"
                                        "clock 30\ntouch me\nhit\nunload\n"
                                        "expect stored rafta_total_hit_count 58\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = run.outLines();
  const auto at = [&](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) - lines.begin();
  };
  EXPECT_LT(at("Erreur : rafta_total_hit_count est toujours nul après délai."),
            at("rafta_total_hit_count chargé avec valeur différée : 57"));
  EXPECT_LT(at("rafta_total_hit_count chargé avec valeur différée : 57"),
            at("Incrémentation compteur barre/poteau ! Total = 58"));
}

TEST(GoalTimer, FiringAfterUnloadDoesNothing) {
  const SimWorkspace workspace;
  const ProgramRun run = workspace.play(kShotOnTarget +
                                        "load\nevent OnGoalScored\nunload\nexpect timers 2\n"
                                        "wait 2\nexpect timers 0\n"
                                        "expect log \"Plugin Rafta déchargé.\"\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

// On a host as harsh as the real one: a call the game would crash on ends a run with 5.
TEST(Scenarios, EveryShippedSessionPlaysToItsEnd) {
  int played = 0;
  for (const char* folder : {RAFTA_SCENARIOS, RAFTA_WINDOWS_SCENARIOS}) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().extension() != ".scn") {
        continue;
      }
      const SimWorkspace workspace;
      const ProgramRun run = workspace.play(readFile(entry.path()));
      EXPECT_EQ(run.status, 0) << entry.path().filename() << "\n" << run.err;
      ++played;
    }
  }
  EXPECT_GE(played, 5);
}

}  // namespace
}  // namespace rafta::testing
