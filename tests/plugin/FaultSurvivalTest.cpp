#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PluginHost.h"

namespace rafta::testing {
namespace {

// A whole session of play: loads, touches, hits, match events, frames, the settings page,
// console changes and a restart.
std::string sessionWithFaults(const std::string& faults) {
  return faults +
         "\ncar me id me-id team 0\ncar rival id rival-id team 1\nlocal me\nstate ingame=1\n"
         "ball pos 0 4000 100 vel 1000 0 0\nload\nwait 1\nclock 20\n"
         "touch me\nhit\nwait 1\ntouch me\nhit\ntouch rival\nhit rival\nhit null\n"
         "event PostBeginPlay\nevent OnGoalScored\nwait 0.5\ntouch me\nhit\nevent BeginRound\n"
         "frame 3\nsettings\nclick \"Reinitialiser le compteur session\"\n"
         "toggle \"Afficher overlay\"\nslide \"Position X\" 500\nchoose Tableau\nframe\n" +
         typed(names::kOverlayStyleVariable, "4") + "frame\n" +
         typed(names::kOverlayXVariable, "nan") + "frame\n" +
         "event StartReplay\nhit\nevent StopReplay\nwait 2\ntouch me\nhit\n"
         "restart\nwait 0.5\ntouch me\nhit\nunload\nload\nwait 1.5\nframe 2\n";
}

class FaultSurvivalTest : public ::testing::TestWithParam<int> {};

TEST_P(FaultSurvivalTest, ThePluginLivesThroughWrongAnswers) {
  const std::string faults = "faults 0.2 " + std::to_string(GetParam());
  PluginHost script;
  script.run(sessionWithFaults(faults));
  EXPECT_FALSE(script.log().empty());
}

TEST_P(FaultSurvivalTest, TheSameSeedGivesTheSameLog) {
  const std::string faults = "faults 0.2 " + std::to_string(GetParam()) + " null id number flag";
  // One session after the other: the module's plugin object is shared while a session holds it.
  // The settings context's address differs from one session to the next; nothing else may.
  const auto logOf = [&] {
    PluginHost script;
    script.run(sessionWithFaults(faults));
    std::vector<std::string> lines = script.log();
    std::erase_if(lines,
                  [](const std::string& line) { return line.starts_with("Contexte ImGui"); });
    return lines;
  };
  const auto one = logOf();
  const auto two = logOf();
  ASSERT_EQ(one.size(), two.size());
  for (std::size_t i = 0; i < one.size(); ++i) {
    ASSERT_EQ(one[i], two[i]) << "first difference at log line " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, FaultSurvivalTest, ::testing::Values(1, 2, 3, 1234, 99999));

}  // namespace
}  // namespace rafta::testing
