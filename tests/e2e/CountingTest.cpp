// Counting through rafta-sim and the real module, and every shipped scenario.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "SimRunner.h"

namespace rafta::testing {
namespace {

const std::string kShotOnTarget =
    "car me id me-id team 0\nlocal me\nstate ingame=1\nball pos 0 4000 100 vel 1000 0 0\n";

TEST(StoredTotal, AHitHalfASecondAfterLoadJoinsTheStoredTotalInsteadOfReplacingIt) {
  for (const std::string delay : {"0", "0.5"}) {
    const SimWorkspace workspace;
    workspace.writeConfig("rafta_total_hit_count \"57\"\n");
    std::string script = "config-delay " + delay + "\n";
    script += kShotOnTarget;
    const ProgramRun run = workspace.play(
        script +
        "load\nwait 0.5\nclock 30\ntouch me\nhit\n"
        "expect log \"Incrémentation compteur barre/poteau ! Total = 1\"\n"
        "expect stored rafta_total_hit_count 57\n"
        "wait 0.5\n"
        "expect log \"rafta_total_hit_count chargé avec valeur différée : 58\"\n"
        "expect cvar rafta_total_hit_count 58\nexpect stored rafta_total_hit_count 58\n");
    EXPECT_EQ(run.status, 0) << "config-delay " << delay << "\n" << run.err;
  }
}

TEST(GoalTimer, FiringAfterUnloadDoesNothing) {
  const SimWorkspace workspace;
  const ProgramRun run = workspace.play(kShotOnTarget +
                                        "load\nevent OnGoalScored\nunload\nexpect timers 2\n"
                                        "wait 2\nexpect timers 0\n"
                                        "expect log \"Plugin Rafta déchargé.\"\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST(Scenarios, EveryShippedSessionPlaysToItsEnd) {
  int played = 0;
  for (const auto& entry : std::filesystem::directory_iterator(RAFTA_SCENARIOS)) {
    if (entry.path().extension() != ".scn") {
      continue;
    }
    const SimWorkspace workspace;
    const ProgramRun run = workspace.play(readFile(entry.path()));
    EXPECT_EQ(run.status, 0) << entry.path().filename() << "\n" << run.err;
    ++played;
  }
  EXPECT_GE(played, 3);
}

}  // namespace
}  // namespace rafta::testing
