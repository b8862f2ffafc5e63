#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "TestSupport.h"
#include "bakkesmod/wrappers/GameWrapper.h"
#include "bakkesmod/wrappers/cvarmanagerwrapper.h"
#include "sim/errors/Errors.h"
#include "sim/faults/FaultInjector.h"
#include "sim/host/Host.h"
#include "sim/run/Arguments.h"
#include "sim/script/Parser.h"

namespace rafta::sim {
namespace {

using testing::ScratchFolder;

// Every answer a plugin can ask for, asked many times over, written down as text; through the null
// handles the faults hand out too, answered rather than crashing.
std::vector<std::string> answersOf(const FaultPlan& plan, const std::filesystem::path& appData) {
  Host host(HostOptions{appData, {}, [](const std::string&) {}});
  host.behaviour().crashOnBadCalls = false;
  auto& me = host.game().car("me");
  me.player.team = 1;
  host.game().setLocalCar(&me);
  (void)host.console().registerCvar("total", "57", {});
  host.setFaults(plan);
  const auto game = host.gameWrapper();
  const auto console = host.cvarManager();
  std::vector<std::string> answers;
  for (int round = 0; round < 300; ++round) {
    auto state = game->GetCurrentGameState();
    auto ball = state.GetBall();
    auto car = game->GetLocalCar();
    auto player = car.GetPRI();
    const auto size = game->GetScreenSize();
    const auto velocity = ball.GetVelocity();
    answers.push_back(
        std::to_string(state.IsNull()) + std::to_string(ball.IsNull()) +
        std::to_string(car.IsNull()) + std::to_string(player.IsNull()) + " " +
        player.GetUniqueIdWrapper().GetIdString() + " " + std::to_string(player.GetTeamNum()) +
        " " + std::to_string(state.GetSecondsElapsed()) + " " + std::to_string(velocity.X) + " " +
        std::to_string(size.X) + " " + std::to_string(console->getCvar("total").getIntValue()) +
        " " + std::to_string(game->IsInReplay()));
  }
  return answers;
}

TEST(FaultInjectionTest, TheSamePlanGoesWrongTheSameWay) {
  ScratchFolder folder;
  const FaultPlan plan{0.3, 42, kAllFaultKinds};
  const auto first = answersOf(plan, folder.path());
  EXPECT_EQ(first, answersOf(plan, folder.path()));
  EXPECT_NE(first, answersOf({0.3, 43, kAllFaultKinds}, folder.path()));
}

TEST(FaultInjectionTest, RateZeroAndNoKindChangeNothing) {
  ScratchFolder folder;
  const auto truth = answersOf({0.0, 1, kAllFaultKinds}, folder.path());
  EXPECT_EQ(truth, answersOf({1.0, 1, 0}, folder.path()));
  EXPECT_EQ(truth.front(), "0000 me 1 0.000000 0.000000 1920 57 0");
}

TEST(FaultInjectionTest, EveryKindShowsUpAtRateOne) {
  ScratchFolder folder;
  Host host(HostOptions{folder.path(), {}, [](const std::string&) {}});
  auto& me = host.game().car("me");
  host.game().setLocalCar(&me);
  (void)host.console().registerCvar("total", "57", {});
  std::vector<FaultKind> seen;
  host.faults().setObserver([&](FaultKind kind, const std::string&) { seen.push_back(kind); });
  host.setFaults({1.0, 7, faultBit(FaultKind::Null)});
  EXPECT_TRUE(host.gameWrapper()->GetCurrentGameState().IsNull());
  EXPECT_TRUE(host.gameWrapper()->GetLocalCar().IsNull());
  EXPECT_TRUE(host.cvarManager()->getCvar("total").IsNull());
  host.setFaults({1.0, 7, faultBit(FaultKind::Screen)});
  const auto size = host.gameWrapper()->GetScreenSize();
  EXPECT_TRUE(size.X <= 1 || size.Y <= 1 || size.X > 10000);
  host.setFaults({1.0, 7, faultBit(FaultKind::Flag)});
  EXPECT_TRUE(host.gameWrapper()->IsInReplay());
  host.setFaults({1.0, 7, faultBit(FaultKind::Console)});
  (void)host.cvarManager()->getCvar("total").getIntValue();
  EXPECT_NE(host.console().findCvar("total")->text(), "57");
  host.setFaults({1.0, 7, faultBit(FaultKind::Config)});
  host.forgetAll();
  host.setFaults({});
  (void)host.gameWrapper()->GetCurrentGameState();
  EXPECT_EQ(seen.size(), 7U) << "a plan of rate 0 answers truly";
  EXPECT_EQ(seen.back(), FaultKind::Config);
}

TEST(FaultInjectionTest, GarbageInTheConfigurationFileIsSkippedNotFatal) {
  ScratchFolder folder;
  Host host(HostOptions{folder.path(), {}, [](const std::string&) {}});
  for (std::uint64_t seed = 0; seed < 20; ++seed) {
    host.setFaults({1.0, seed, faultBit(FaultKind::Config)});
    host.forgetAll();
  }
  EXPECT_GT(std::filesystem::file_size(host.console().configFile()), 0U);
}

TEST(FaultInjectionTest, TheScriptCommandTakesRateSeedAndKinds) {
  const auto lines = parseScript("faults 0.25 18446744073709551615 null id\nfaults off\n");
  ASSERT_EQ(lines.size(), 2U);
  ScratchFolder folder;
  Host host(HostOptions{folder.path(), {}, [](const std::string&) {}});
  std::get<script::Behaviour>(lines[0].command).set(host);
  EXPECT_EQ(host.behaviour().faults.rate, 0.25);
  EXPECT_EQ(host.behaviour().faults.seed, 18446744073709551615ULL);
  EXPECT_EQ(host.behaviour().faults.kinds, faultBit(FaultKind::Null) | faultBit(FaultKind::Id));
  std::get<script::Behaviour>(lines[1].command).set(host);
  EXPECT_EQ(host.behaviour().faults.rate, 0.0);
  EXPECT_THROW((void)parseScript("faults 1.5 1\n"), ScriptError);
  EXPECT_THROW((void)parseScript("faults 0.5 -1\n"), ScriptError);
  EXPECT_THROW((void)parseScript("faults 0.5 1 gremlins\n"), ScriptError);
  EXPECT_THROW((void)parseScript("faults 0.5\n"), ScriptError);
}

TEST(FaultInjectionTest, TheCommandLineTakesRateColonSeed) {
  const std::vector<const char*> args{"run", "s.scn", "--faults", "0.1:7"};
  const auto line = parseArguments(args);
  ASSERT_TRUE(line.session.faults.has_value());
  EXPECT_EQ(line.session.faults->rate, 0.1);
  EXPECT_EQ(line.session.faults->seed, 7U);
  const std::vector<const char*> joined{"run", "s.scn", "--faults=1:0"};
  EXPECT_EQ(parseArguments(joined).session.faults->rate, 1.0);
  const std::vector<const char*> bad{"run", "s.scn", "--faults", "0.1"};
  EXPECT_THROW((void)parseArguments(bad), ScriptError);
  const std::vector<const char*> missing{"run", "s.scn", "--faults"};
  EXPECT_THROW((void)parseArguments(missing), ScriptError);
}

}  // namespace
}  // namespace rafta::sim
