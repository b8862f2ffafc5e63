#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "bakkesmod/wrappers/GameWrapper.h"
#include "bakkesmod/wrappers/cvarwrapper.h"
#include "sim/errors/Errors.h"
#include "sim/host/Host.h"

namespace rafta::sim {
namespace {

class GameQueriesTest : public ::testing::Test {
 protected:
  testing::ScratchFolder folder;
  Host host{HostOptions{folder.path(), {}, {}}};
  std::shared_ptr<GameWrapper> game = host.gameWrapper();
};

TEST_F(GameQueriesTest, EveryQuestionOfTheGameWrapperIsTracedInTheOrderAsked) {
  std::vector<std::string> trace;
  host.reports().setTraceSink([&](const std::string& line) { trace.push_back(line); });
  host.game().setFlag(GameFlag::Freeplay, true);
  EXPECT_FALSE(game->IsInReplay());
  EXPECT_TRUE(game->IsInFreeplay());
  EXPECT_FALSE(game->IsInCustomTraining());
  EXPECT_FALSE(game->IsInGame());
  EXPECT_FALSE(game->IsInOnlineGame());
  (void)game->GetLocalCar();
  (void)game->GetCurrentGameState();
  EXPECT_EQ(game->GetScreenSize().X, 1920);
  EXPECT_EQ(
      trace,
      (std::vector<std::string>{
          "query IsInReplay -> 0", "query IsInFreeplay -> 1", "query IsInCustomTraining -> 0",
          "query IsInGame -> 0", "query IsInOnlineGame -> 0", "query GetLocalCar -> null",
          "query GetCurrentGameState -> the game state", "query GetScreenSize -> 1920 1080"}));
}

// The game objects' wrappers carry no host address, yet their answers pass the same place: the
// fault check, as the game wrapper's do; only the game wrapper's are traced.
TEST_F(GameQueriesTest, AnObjectsAnswersPassTheFaultCheckButAreNotTraced) {
  std::vector<std::string> trace;
  host.reports().setTraceSink([&](const std::string& line) { trace.push_back(line); });
  host.game().setLocalCar(&host.game().car("me"));
  const auto ask = [&] {
    auto player = game->GetLocalCar().GetPRI();
    (void)player.GetTeamNum();
    auto state = game->GetCurrentGameState();
    (void)state.GetBall().GetLocation();
    (void)state.GetSecondsElapsed();
  };
  ask();
  EXPECT_EQ(trace, (std::vector<std::string>{"query GetLocalCar -> car me",
                                             "query GetCurrentGameState -> the game state"}));
  std::vector<std::string> wrong;
  host.faults().setObserver([&](FaultKind /*kind*/, const std::string& what) {
    wrong.push_back(what.substr(0, what.find(' ')));
  });
  host.setFaults({1.0, 1, faultBit(FaultKind::Number)});
  ask();
  EXPECT_EQ(wrong, (std::vector<std::string>{"GetTeamNum", "GetLocation", "GetSecondsElapsed"}));
}

// A session of any length runs in bounded memory: the host keeps the recent log lines and
// commands that checks and tests read, not the whole run's.
TEST_F(GameQueriesTest, ALongSessionKeepsOnlyARecentHistory) {
  constexpr int kFrames = 100000;
  int drawn = 0;
  game->RegisterDrawable([&](CanvasWrapper /*canvas*/) {
    host.console().log("frame " + std::to_string(drawn));
    host.console().executeCommand("command " + std::to_string(drawn));
    ++drawn;
  });
  host.frames().draw(kFrames);
  ASSERT_EQ(drawn, kFrames);
  // At least the last 256 lines and commands, and at most twice as many.
  EXPECT_GE(host.console().logLines().size(), 256U);
  EXPECT_LT(host.console().logLines().size(), 2 * 256U);
  EXPECT_GE(host.console().executedCommands().size(), 256U);
  EXPECT_LT(host.console().executedCommands().size(), 2 * 256U);
  // The most recent ones, in order.
  const auto& lines = host.console().logLines();
  const auto first = kFrames - static_cast<int>(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ASSERT_EQ(lines[i], "frame " + std::to_string(first + static_cast<int>(i)));
  }
  EXPECT_EQ(host.console().executedCommands().back(), "command " + std::to_string(kFrames - 1));
}

TEST_F(GameQueriesTest, WithoutAGameStateTheCarsStayAsTheyAre) {
  auto& car = host.game().car("me");
  host.game().setLocalCar(&car);
  host.game().setFlag(GameFlag::Server, false);
  EXPECT_TRUE(game->GetCurrentGameState().IsNull());
  EXPECT_EQ(game->GetLocalCar().GetPRI().GetUniqueIdWrapper().GetIdString(), "me");
}

TEST_F(GameQueriesTest, TheBallCanBeMissingFromTheGameState) {
  host.game().ball().velocity = {1.0F, 2.0F, 3.0F};
  auto state = game->GetCurrentGameState();
  EXPECT_EQ(state.GetBall().GetVelocity().Y, 2.0F);
  EXPECT_EQ(state.GetBall().GetLocation().Z, 93.0F);
  host.game().setFlag(GameFlag::Ball, false);
  EXPECT_TRUE(state.GetBall().IsNull());
}

TEST_F(GameQueriesTest, APlayerRecordCarriesIdAndTeamOrIsMissing) {
  auto& car = host.game().car("them");
  car.player.id.text = std::string("\0\xFF", 2);
  car.player.team = 255;
  CarWrapper wrapper(addressOf(&car));
  EXPECT_EQ(wrapper.GetPRI().GetUniqueIdWrapper().GetIdString(), std::string("\0\xFF", 2));
  EXPECT_EQ(wrapper.GetPRI().GetTeamNum(), 255);
  car.hasPlayer = false;
  EXPECT_TRUE(wrapper.GetPRI().IsNull());
  // An id is a value, not a handle: an empty one answers an empty text.
  EXPECT_EQ(UniqueIDWrapper(0).GetIdString(), "");
}

// The real game answers none of these: its handles reach straight into its memory.
TEST_F(GameQueriesTest, ACallThroughANullOrWrongHandleCrashesTheGameOrIsAnsweredLikeNull) {
  const auto ball = host.game().ballAddress();
  const auto car = addressOf(&host.game().car("me"));
  const auto frame = host.game().goalFrameAddress();
  const std::vector<std::pair<std::function<void()>, std::string>> calls{
      {[&] { (void)CarWrapper(ball).GetPRI(); }, "GetPRI on the ball"},
      {[&] { (void)CarWrapper(frame).GetPRI(); }, "GetPRI on the goal frame's object"},
      {[&] { (void)ActorWrapper(frame).GetLocation(); }, "GetLocation on the goal frame's object"},
      {[&] { (void)BallWrapper(0).GetVelocity(); }, "GetVelocity on null"},
      {[&] { (void)ServerWrapper(car).GetBall(); }, "GetBall on car me"},
      {[&] { (void)ServerWrapper(car).GetSecondsElapsed(); }, "GetSecondsElapsed on car me"},
      {[&] { (void)PriWrapper(car).GetTeamNum(); }, "GetTeamNum on car me"},
      {[&] { (void)PriWrapper(0).GetUniqueIdWrapper(); }, "GetUniqueIdWrapper on null"},
      {[&] { (void)CVarWrapper(0).getIntValue(); }, "getIntValue on a null console variable"},
      {[&] { CVarWrapper(0).setValue(1.0F); }, "setValue on a null console variable"}};
  for (const auto& [call, message] : calls) {
    try {
      call();
      ADD_FAILURE() << "no crash: " << message;
    } catch (const GameCrash& crash) {
      EXPECT_EQ(crash.what(), message);
    }
  }
  host.behaviour().crashOnBadCalls = false;
  for (const auto& [call, message] : calls) {
    EXPECT_NO_THROW(call()) << message;
  }
  EXPECT_TRUE(CarWrapper(ball).GetPRI().IsNull());
  EXPECT_TRUE(ServerWrapper(car).GetBall().IsNull());
  EXPECT_EQ(ServerWrapper(car).GetSecondsElapsed(), 0.0F);
  EXPECT_EQ(CVarWrapper(0).getIntValue(), 0);
  // IsNull and copies are always safe.
  const CarWrapper original(frame);
  // NOLINTNEXTLINE(performance-unnecessary-copy-initialization): the copy is what is tested
  const CarWrapper copy = original;
  EXPECT_FALSE(copy.IsNull());
}

TEST_F(GameQueriesTest, AClockBeyondFloatRangeSaturates) {
  host.game().setSecondsElapsed(1e300);
  EXPECT_EQ(game->GetCurrentGameState().GetSecondsElapsed(),
            std::numeric_limits<float>::infinity());
}

}  // namespace
}  // namespace rafta::sim
