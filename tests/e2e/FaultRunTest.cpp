#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SimRunner.h"

namespace rafta::testing {
namespace {

// Play of every kind, with no expect: under wrong answers only a crash or a host error fails it.
const std::string kPlay =
    "car me id me-id team 0\ncar rival id rival-id team 1\nlocal me\nstate ingame=1\n"
    "ball pos 0 4000 100 vel 1000 0 0\nload\nwait 1\nclock 20\n"
    "touch me\nhit\nwait 1\ntouch me\nhit\ntouch rival\nhit rival\nhit null\n"
    "event PostBeginPlay\nevent OnGoalScored\nwait 0.5\ntouch me\nhit\nevent BeginRound\n"
    "frame 3\nsettings\nclick \"Reinitialiser le compteur total\"\nslide \"Position Y\" 900\n"
    "choose Sobre\nframe\nconsole rafta_total_hit_count -inf\nframe\nscreen 0 0\nframe\n"
    "event StartReplay\nhit\nevent StopReplay\nwait 2\ntouch me\nhit\n"
    "restart\nwait 0.5\ntouch me\nhit\nunload\nload\nwait 1.5\nframe 2\n";

// The settings context's address differs from run to run, and each run has an app-data folder of
// its own.
std::vector<std::string> comparable(const ProgramRun& run, const SimWorkspace& workspace) {
  std::vector<std::string> lines = run.outLines();
  std::erase_if(lines, [](const std::string& line) { return line.starts_with("Contexte ImGui"); });
  const std::string folder = workspace.appdata().string();
  for (std::string& line : lines) {
    for (auto at = line.find(folder); at != std::string::npos; at = line.find(folder)) {
      line.replace(at, folder.size(), "APPDATA");
    }
  }
  return lines;
}

TEST(FaultRun, TheModuleLivesThroughWrongAnswersAndTheRunRepeats) {
  for (const std::string seed : {"1", "2", "3", "77", "4096"}) {
    const std::vector<std::string> options{"--faults", "0.25:" + seed};
    const SimWorkspace one;
    const SimWorkspace other;
    const ProgramRun first = one.play(kPlay, options);
    EXPECT_EQ(first.status, 0) << "seed " << seed << "\n" << first.err;
    const ProgramRun again = other.play(kPlay, options);
    EXPECT_EQ(comparable(first, one), comparable(again, other)) << "seed " << seed;
  }
}

TEST(FaultRun, TraceNamesEveryWrongAnswer) {
  const ProgramRun run = SimWorkspace().play(kPlay, {"--faults", "1:5", "--trace"});
  EXPECT_EQ(run.status, 0) << run.err;
  const auto lines = run.outLines();
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.starts_with("| fault "); }));
}

}  // namespace
}  // namespace rafta::testing
