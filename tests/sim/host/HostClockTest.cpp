#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "bakkesmod/wrappers/GameWrapper.h"
#include "bakkesmod/wrappers/cvarmanagerwrapper.h"
#include "sim/host/Host.h"

namespace rafta::sim {
namespace {

class HostClockTest : public ::testing::Test {
 protected:
  // A timer that notes its name with the host's time and the game's time it fired at.
  void arm(const std::string& name, float delay) {
    host.clock().setTimeout(
        [this, name](GameWrapper*) {
          fired.push_back(name + "@" + std::to_string(host.clock().time()) + "/" +
                          std::to_string(host.game().secondsElapsed()));
        },
        delay);
  }

  testing::ScratchFolder folder;
  Host host{HostOptions{folder.path(), {}, {}}};
  std::vector<std::string> fired;
};

TEST_F(HostClockTest, TimersFireEarliestFirstEachAtItsOwnTime) {
  host.game().setSecondsElapsed(10.0);
  arm("late", 2.0F);
  arm("early", 0.5F);
  host.clock().wait(3.0);
  EXPECT_EQ(fired,
            (std::vector<std::string>{"early@0.500000/10.500000", "late@2.000000/12.000000"}));
  EXPECT_DOUBLE_EQ(host.clock().time(), 3.0);
  EXPECT_DOUBLE_EQ(host.game().secondsElapsed(), 13.0);
}

TEST_F(HostClockTest, TimersDueAtTheSameTimeFireInTheOrderArmed) {
  arm("b", 1.0F);
  arm("a", 1.0F);
  arm("c", 1.0F);
  host.clock().wait(1.0);
  EXPECT_EQ(fired, (std::vector<std::string>{"b@1.000000/1.000000", "a@1.000000/1.000000",
                                             "c@1.000000/1.000000"}));
}

TEST_F(HostClockTest, ATimerArmedByATimerFiresInTheSameWaitWhenItFallsDueInIt) {
  host.clock().setTimeout(
      [this](GameWrapper* game) {
        fired.emplace_back("first");
        game->SetTimeout([this](GameWrapper*) { fired.emplace_back("second"); }, 1.0F);
        game->SetTimeout([this](GameWrapper*) { fired.emplace_back("third"); }, 5.0F);
      },
      1.0F);
  host.clock().wait(2.0);
  EXPECT_EQ(fired, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(host.clock().pendingTimers(), 1U);
  host.clock().wait(3.99);
  EXPECT_EQ(fired.size(), 2U);
  host.clock().wait(0.01);
  EXPECT_EQ(fired.back(), "third");
}

TEST_F(HostClockTest, ManySmallWaitsMeetATimerExactly) {
  arm("t", 1.0F);
  for (int i = 0; i < 10; ++i) {
    host.clock().wait(0.1);
  }
  EXPECT_EQ(fired.size(), 1U);
}

TEST_F(HostClockTest, NegativeAndNanDelaysFireAtTheNextWait) {
  arm("negative", -3.0F);
  arm("nan", std::numeric_limits<float>::quiet_NaN());
  arm("huge", std::numeric_limits<float>::infinity());
  host.clock().wait(0.0);
  EXPECT_EQ(fired,
            (std::vector<std::string>{"negative@0.000000/0.000000", "nan@0.000000/0.000000"}));
  EXPECT_EQ(host.clock().pendingTimers(), 1U);
}

TEST_F(HostClockTest, ATimerThatReArmsItselfWithoutDelayCannotHoldTimeStill) {
  std::function<void(GameWrapper*)> again = [&](GameWrapper* game) {
    game->SetTimeout(again, 0.0F);
  };
  host.clock().setTimeout(again, 0.5F);
  EXPECT_THROW(host.clock().wait(1.0), std::runtime_error);
  EXPECT_DOUBLE_EQ(host.clock().time(), 0.5);
}

TEST_F(HostClockTest, TheConfigurationRunsAfterTheDelayInOrderWithTimersDueThen) {
  testing::writeFile(defaultConfigFile(folder.path()), "first \"7\"\nsecond \"8\"\n");
  host.forgetAll();
  host.behaviour().configDelaySeconds = 1.0;
  auto manager = host.cvarManager();
  const auto read = [&](const char* name) { return manager->getCvar(name).getIntValue(); };
  const auto note = [&](const std::string& name) {
    host.clock().setTimeout(
        [&, name](GameWrapper*) {
          fired.push_back(name + " sees " + std::to_string(read("first")) + "," +
                          std::to_string(read("second")));
        },
        1.0F);
  };

  manager->registerCvar("first", "0");
  manager->registerCvar("second", "0");
  note("earlier timer");
  host.console().executeConfigAtGameStart();
  note("later timer");
  EXPECT_EQ(read("first"), 0);
  EXPECT_EQ(host.clock().pendingTimers(), 2U);  // the execution is no timer

  host.clock().wait(1.0);
  EXPECT_EQ(fired, (std::vector<std::string>{"earlier timer sees 0,0", "later timer sees 7,8"}));
}

TEST_F(HostClockTest, TheValueAppliedIsTheOneTheFileHoldsWhenExecuted) {
  testing::writeFile(defaultConfigFile(folder.path()), "v \"1\"\n");
  host.forgetAll();
  host.behaviour().configDelaySeconds = 0.5;
  auto manager = host.cvarManager();
  manager->registerCvar("v", "0").setValue(3);
  host.console().executeConfigAtGameStart();
  host.console().executeCommand("writeconfig");
  host.clock().wait(0.5);
  EXPECT_EQ(manager->getCvar("v").getIntValue(), 3);
}

TEST_F(HostClockTest, ARestartDropsTimersAndPendingApplications) {
  testing::writeFile(defaultConfigFile(folder.path()), "v \"1\"\n");
  host.forgetAll();
  host.behaviour().configDelaySeconds = 0.5;
  host.cvarManager()->registerCvar("v", "0");
  host.console().executeConfigAtGameStart();
  arm("t", 0.5F);
  host.forgetAll();
  host.behaviour().configDelaySeconds = 5.0;
  host.cvarManager()->registerCvar("v", "0").setValue(2);
  host.clock().wait(1.0);
  EXPECT_TRUE(fired.empty());
  EXPECT_EQ(host.console().findCvar("v")->text(), "2");
}

}  // namespace
}  // namespace rafta::sim
