#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "bakkesmod/wrappers/GameWrapper.h"
#include "sim/host/Host.h"

namespace rafta::sim {
namespace {

const std::string kTouch = "Function TAGame.Car_TA.OnHitBall";
const std::string kGoal = "Function TAGame.GameEvent_Soccar_TA.OnGoalScored";

class HookTest : public ::testing::Test {
 protected:
  HookTest() {
    host = std::make_unique<Host>(HostOptions{
        folder.path(), {}, [this](const std::string& line) { warnings.push_back(line); }});
    game = host->gameWrapper();
  }

  void notePlain(const std::string& function, const std::string& tag) {
    game->HookEvent(function,
                    [this, tag](const std::string& name) { calls.push_back(tag + " " + name); });
  }

  testing::ScratchFolder folder;
  std::vector<std::string> warnings;
  std::unique_ptr<Host> host;
  std::shared_ptr<GameWrapper> game;
  std::vector<std::string> calls;
};

TEST_F(HookTest, BothKindsFireInRegistrationOrderWithNameAndCaller) {
  auto& car = host->game().car("me");
  notePlain(kTouch, "plain1");
  game->HookEventWithCaller<CarWrapper>(
      kTouch, [this](CarWrapper caller, void* params, const std::string& name) {
        calls.push_back("caller " + caller.GetPRI().GetUniqueIdWrapper().GetIdString() + " " +
                        (params == nullptr ? "no-params " : "params ") + name);
      });
  notePlain(kTouch, "plain2");
  host->hooks().fire(kTouch, addressOf(&car));
  EXPECT_EQ(calls, (std::vector<std::string>{"plain1 " + kTouch, "caller me no-params " + kTouch,
                                             "plain2 " + kTouch}));
}

TEST_F(HookTest, ACallerArrivesAsTheObjectTypeTheHookAskedFor) {
  host->game().ball().location = Vector(1.0F, 2.0F, 3.0F);
  game->HookEventWithCaller<BallWrapper>(kGoal, [this](BallWrapper ball, void*, std::string name) {
    calls.push_back((ball.IsNull() ? "no ball" : std::to_string(ball.GetLocation().Y)) + " " +
                    name);
  });
  game->HookEventWithCaller<ServerWrapper>(kGoal, [this](ServerWrapper state, void*, std::string) {
    calls.emplace_back(state.IsNull() ? "no state" : "state");
  });
  host->hooks().fire(kGoal, host->game().ballAddress());
  host->hooks().fire(kGoal, 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"2.000000 " + kGoal, "state", "no ball " + kGoal,
                                             "no state"}));
}

TEST_F(HookTest, UnhookingRemovesBothKindsOnThatFunctionOnly) {
  notePlain(kTouch, "plain");
  game->HookEventWithCaller<CarWrapper>(kTouch, [](CarWrapper, void*, const std::string&) {});
  notePlain(kGoal, "goal");
  game->UnhookEvent(kTouch);
  EXPECT_FALSE(host->hooks().isHooked(kTouch));
  EXPECT_TRUE(host->hooks().isHooked(kGoal));
  host->hooks().fire(kTouch, 0);
  host->hooks().fire(kGoal, 0);
  EXPECT_EQ(calls, std::vector<std::string>{"goal " + kGoal});
}

TEST_F(HookTest, AHookThatUnhooksWhileFiringStopsTheRestOfThatRound) {
  game->HookEvent(kGoal, [this](const std::string&) {
    calls.emplace_back("first unhooks");
    game->UnhookEvent(kGoal);
    // Still running after its own removal: the host keeps it alive until it returns.
    calls.emplace_back("first still runs");
  });
  notePlain(kGoal, "second");
  host->hooks().fire(kGoal, 0);
  host->hooks().fire(kGoal, 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"first unhooks", "first still runs"}));
}

TEST_F(HookTest, AHookAddedWhileFiringWaitsForTheNextRound) {
  game->HookEvent(kGoal, [this](const std::string&) {
    calls.emplace_back("outer");
    notePlain(kGoal, "inner");
  });
  host->hooks().fire(kGoal, 0);
  EXPECT_EQ(calls, std::vector<std::string>{"outer"});
  host->hooks().fire(kGoal, 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"outer", "outer", "inner " + kGoal}));
}

TEST_F(HookTest, HooksTimersAndDrawablesOfADestroyedPluginAreNeverCalled) {
  auto plugin = std::make_shared<int>(0);
  host->tieCallbacksTo(plugin);
  notePlain(kGoal, "orphan");
  game->SetTimeout([this](GameWrapper*) { calls.emplace_back("timer"); }, 1.0F);
  game->RegisterDrawable([this](CanvasWrapper) { calls.emplace_back("drawable"); });
  game->Execute([this](GameWrapper*) { calls.emplace_back("executed"); });
  plugin.reset();

  host->cvarManager()->registerNotifier(
      "orphan_command", [this](std::vector<std::string>) { calls.emplace_back("command"); },
      "a command", PERMISSION_ALL);
  plugin.reset();

  host->hooks().fire(kGoal, 0);
  host->clock().wait(1.0);
  host->frames().draw(1);
  host->hooks().tick();
  EXPECT_TRUE(host->commands().type({"orphan_command"})) << "the console knows it";
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(host->hooks().isHooked(kGoal));
  EXPECT_EQ(warnings.size(), 5U);
}

TEST_F(HookTest, WhatIsHandedToExecuteRunsAtTheNextTickInTheOrderHandedFromAnyThread) {
  game->Execute([this](GameWrapper* self) {
    calls.emplace_back(self->GetScreenSize().X == 1920 ? "first, on the host" : "first");
    self->Execute([this](GameWrapper*) { calls.emplace_back("handed while ticking"); });
  });
  std::thread([this] {
    game->Execute([this](GameWrapper*) { calls.emplace_back("second"); });
  }).join();
  EXPECT_TRUE(calls.empty()) << "nothing runs before the tick";
  host->hooks().tick();
  EXPECT_EQ(calls, (std::vector<std::string>{"first, on the host", "second"}));
  host->hooks().tick();
  EXPECT_EQ(calls.back(), "handed while ticking");
  host->hooks().tick();
  EXPECT_EQ(calls.size(), 3U) << "each runs once";
}

TEST_F(HookTest, ACommandGetsItsWordsAndARegisteredNameIsReplaced) {
  const auto console = host->cvarManager();
  std::vector<std::vector<std::string>> typed;
  console->registerNotifier(
      "echo", [&](std::vector<std::string> /*words*/) { typed.push_back({"first"}); }, "", 0);
  console->registerNotifier(
      "echo", [&](std::vector<std::string> words) { typed.push_back(std::move(words)); }, "", 0);
  EXPECT_TRUE(host->commands().type({"echo", "a b", ""}));
  EXPECT_EQ(typed, (std::vector<std::vector<std::string>>{{"echo", "a b", ""}}));
  EXPECT_FALSE(host->commands().type({"ECHO"})) << "names are exact";
  EXPECT_FALSE(host->commands().type({}));
  EXPECT_TRUE(console->removeNotifier("echo"));
  EXPECT_FALSE(console->removeNotifier("echo"));
  EXPECT_FALSE(host->commands().type({"echo"}));
  EXPECT_EQ(typed.size(), 1U);
}

TEST_F(HookTest, ANullGameWrapperDoesNothing) {
  GameWrapper none(0);
  none.HookEvent(kGoal, [this](const std::string&) { calls.emplace_back("never"); });
  none.SetTimeout([this](GameWrapper*) { calls.emplace_back("never"); }, 0.0F);
  none.UnhookEvent(kGoal);
  none.RegisterDrawable([](CanvasWrapper) {});
  none.UnregisterDrawables();
  none.Execute([this](GameWrapper*) { calls.emplace_back("never"); });
  host->hooks().tick();
  EXPECT_FALSE(none.IsInGame());
  EXPECT_TRUE(none.GetCurrentGameState().IsNull());
  EXPECT_TRUE(none.GetLocalCar().IsNull());
  EXPECT_EQ(none.GetScreenSize().X, 0);
  host->hooks().fire(kGoal, 0);
  EXPECT_TRUE(calls.empty());
}

}  // namespace
}  // namespace rafta::sim
