#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "bakkesmod/wrappers/GameWrapper.h"
#include "bakkesmod/wrappers/ImageWrapper.h"
#include "bakkesmod/wrappers/cvarmanagerwrapper.h"
#include "sim/plugin/PluginFacts.h"

namespace rafta::sim {
namespace {

using testing::CapturedSession;
using testing::FakeLibrary;
using testing::ScratchFolder;
using testing::ScriptedPlugin;

const std::string kTouch = "Function TAGame.Car_TA.OnHitBall";

class SessionTest : public ::testing::Test {
 protected:
  // A session whose plugin runs `load` on onLoad and `unload` on onUnload.
  CapturedSession& start(ScriptedPlugin::Action load, ScriptedPlugin::Action unload = {}) {
    testing::writeFile(folder.path() / "shipped.png", testing::tinyPng());
    SessionOptions options;
    options.appData = folder.path() / "appdata";
    options.shippedPicture = folder.path() / "shipped.png";
    captured = std::make_unique<CapturedSession>(
        std::make_unique<FakeLibrary>(journal, std::move(load), std::move(unload)), options);
    return *captured;
  }

  static void logLine(ScriptedPlugin& plugin, const std::string& line) {
    plugin.cvarManager->log(line);
  }

  ScratchFolder folder;
  FakeLibrary::Journal journal;
  std::unique_ptr<CapturedSession> captured;
};

TEST_F(SessionTest, AMalformedScriptRunsNothingAndNamesTheLine) {
  auto& s = start([](ScriptedPlugin& p) { logLine(p, "loaded"); });
  const auto result = s.run("load\nstate ingame=1\nexplode now\n");
  EXPECT_EQ(result.code, ExitCode::BadScript);
  EXPECT_EQ(result.message, "test.scn:3: unknown command: explode");
  EXPECT_TRUE(s.out.empty());
  EXPECT_TRUE(journal.events.empty());
}

TEST_F(SessionTest, AFailedExpectStopsTheRunNamingLineExpectedAndFound) {
  auto& s = start([](ScriptedPlugin& p) {
    p.cvarManager->registerCvar("speed", "300");
    logLine(p, "d\xE9j\xE0 l\xE0");
  });
  const auto result = s.run(
      "load\n"
      "expect log \"déjà là\"\n"
      "expect cvar speed 300.0\n"
      "expect cvar speed 299\n"
      "expect log never\n");
  EXPECT_EQ(result.code, ExitCode::ExpectFailed);
  EXPECT_EQ(result.message, "test.scn:4: expected speed = \"299\", found \"300\"");
}

TEST_F(SessionTest, EveryKindOfExpectReportsWhatItFound) {
  auto& s = start([](ScriptedPlugin& p) {
    p.gameWrapper->RegisterDrawable([](CanvasWrapper c) { c.DrawString("Hits: 1", 1.0F, 1.0F); });
  });
  const std::vector<std::pair<std::string, std::string>> cases{
      {R"(expect drawn "Hits: 1")",
       R"(expected the string "Hits: 1" in the last frame, found no frame drawn yet)"},
      {"frame\nexpect drawn \"Hits: 2\"",
       R"(expected the string "Hits: 2" in the last frame, found the strings "Hits: 1")"},
      {"expect nothing-drawn",
       "expected no canvas call in the last frame, found 1 call(s), the first DrawString \"Hits: "
       "1\" 1 1"},
      {"expect cvar missing 1", "expected missing = \"1\", found no such console variable"},
      {"expect hooked OnHitBall",
       "expected a hook on Function TAGame.Car_TA.OnHitBall, found none"},
      {"expect timers 2", "expected 2 pending timer(s), found 0"},
      {"expect log x", "expected the last log line \"x\", found no log line"},
  };
  ASSERT_EQ(s.run("load").code, ExitCode::Ok);
  for (const auto& [script, message] : cases) {
    const auto result = s.run(script);
    EXPECT_EQ(result.code, ExitCode::ExpectFailed) << script;
    EXPECT_NE(result.message.find(message), std::string::npos) << result.message;
  }
}

TEST_F(SessionTest, ExpectStoredReadsTheFileItself) {
  auto& s = start([](ScriptedPlugin& p) {
    p.cvarManager->registerCvar("total", "0").setValue(57);
    p.cvarManager->executeCommand("writeconfig", true);
  });
  EXPECT_EQ(s.run("expect stored total 57").code, ExitCode::ExpectFailed);
  EXPECT_EQ(s.run("load\nexpect stored total 57.0").code, ExitCode::Ok);
  testing::writeFile(defaultConfigFile(folder.path() / "appdata"), "total \"58\"\n");
  const auto result = s.run("expect stored total 57");
  EXPECT_EQ(result.code, ExitCode::ExpectFailed);
  EXPECT_NE(result.message.find("found \"58\""), std::string::npos) << result.message;
}

// As the real host: a variable has no memory, the configuration is executed after a game start's
// load and at nothing later, an unload takes the plugin's variables, commands and drawables with
// it, and a write drops the lines of variables nobody registered once told to.
TEST_F(SessionTest, VariablesLiveAsOnTheRealHost) {
  const auto cfg = folder.path() / "appdata" / "bakkesmod" / "bakkesmod" / "cfg";
  testing::writeFile(cfg / "config.cfg", "kept \"5\"\nother \"9\" //a plugin not loaded\n");
  testing::writeFile(cfg / "extra.cfg", "kept \"7\"\n");
  int unloads = 0;
  auto& s = start(
      [](ScriptedPlugin& p) {
        EXPECT_EQ(p.cvarManager->registerCvar("kept", "1").getIntValue(), 1) << "during load";
        p.cvarManager->registerNotifier(
            "poke", [](std::vector<std::string>) {}, "", 0);
        p.gameWrapper->RegisterDrawable([](CanvasWrapper c) { c.DrawString("x", 1.0F, 1.0F); });
      },
      [&unloads](ScriptedPlugin&) { ++unloads; });
  const auto result = s.run(
      "load\nexpect cvar kept 5\n"
      "unload\nexpect no-command poke\nframe\nexpect nothing-drawn\n"
      "load\nexpect cvar kept 1\n"  // a player's load later in the game: nothing applied
      "command exec extra.cfg\nexpect cvar kept 7\n"
      "command writeconfig\nexpect stored other 9\n"
      "config-unknown drop\nsettings close\nexpect stored kept 7\n"
      "restart without-unload\nexpect cvar kept 7\n");
  ASSERT_EQ(result.code, ExitCode::Ok) << result.message;
  EXPECT_EQ(unloads, 1);
  EXPECT_EQ(testing::readFile(cfg / "config.cfg"), "kept \"7\"\n");
  EXPECT_TRUE(s.err.empty());
}

// A message may quote the script or the configuration file; neither may drive the terminal.
TEST_F(SessionTest, BytesQuotedFromScriptsAndConfigurationAreEscaped) {
  testing::writeFile(defaultConfigFile(folder.path() / "appdata"), "\x1B[2J x\n");
  auto& s = start([](ScriptedPlugin& p) { p.cvarManager->registerCvar("speed", "300"); });
  EXPECT_EQ(s.run("\x1B]0;title\x07\n").message, "test.scn:1: unknown command: \\x1B]0;title\\x07");
  EXPECT_EQ(s.run("load\n\xEF\xBB\xBFunload\n").message,
            "test.scn:2: unknown command: \\xEF\\xBB\\xBFunload");
  EXPECT_EQ(s.run("load\nconsole \"\x9B\" 1\n").code, ExitCode::Ok);
  ASSERT_EQ(s.err.size(), 2U);
  EXPECT_NE(s.err[0].find(": malformed line skipped: \\x1B[2J x"), std::string::npos) << s.err[0];
  EXPECT_EQ(s.err[1],
            "test.scn:2: console: no console variable \\x9B is registered; nothing changed");
  EXPECT_EQ(s.run("expect cvar speed \"\xC2\x9B\"\n").message,
            "test.scn:1: expected speed = \"\\xC2\\x9B\", found \"300\"");
}

TEST_F(SessionTest, LifeCycleMistakesAreScriptErrors) {
  auto& s = start({});
  EXPECT_EQ(s.run("unload").message, "test.scn:1: unload: the plugin is not loaded");
  const auto twice = s.run("load\nload");
  EXPECT_EQ(twice.code, ExitCode::BadScript);
  EXPECT_EQ(twice.message.rfind("test.scn:2: load: the plugin is already loaded", 0), 0U);
}

TEST_F(SessionTest, UnknownCarsAreScriptErrors) {
  auto& s = start({});
  EXPECT_EQ(s.run("touch ghost").message,
            "test.scn:1: no car named ghost (make it with: car ghost)");
  EXPECT_EQ(s.run("car me\nlocal me\nhit ghost").code, ExitCode::BadScript);
  EXPECT_EQ(s.run("local ghost").code, ExitCode::BadScript);
}

TEST_F(SessionTest, AConsoleLineForAnUnknownVariableIsReportedAndTheScriptGoesOn) {
  auto& s = start([](ScriptedPlugin& p) { p.cvarManager->registerCvar("known", "1"); });
  const auto result = s.run(
      "load\nconsole unknown 5\nconsole known \"two words\"\nexpect cvar known \"two words\"");
  EXPECT_EQ(result.code, ExitCode::Ok) << result.message;
  ASSERT_EQ(s.err.size(), 1U);
  EXPECT_EQ(s.err[0],
            "test.scn:2: console: no console variable unknown is registered; nothing changed");
}

TEST_F(SessionTest, HitsComeFromTheGoalFrameUnlessToldOtherwise) {
  std::vector<std::string> callers;
  auto& s = start([&](ScriptedPlugin& p) {
    p.gameWrapper->HookEventWithCaller<CarWrapper>(
        "Function TAGame.GoalCrossbarVolumeManager_TA.TriggerHit",
        [&](CarWrapper car, void*, const std::string&) {
          callers.push_back(car.IsNull() ? "null"
                                         : car.GetPRI().GetUniqueIdWrapper().GetIdString());
        });
  });
  EXPECT_EQ(s.run("car me id \"Player 1\"\nload\nhit me\nhit null\nevent TriggerHit").code,
            ExitCode::Ok);
  EXPECT_EQ(callers, (std::vector<std::string>{"Player 1", "null", "null"}));
  // The goal frame's object is no car: a car's question to it crashes the game, and the run ends
  // there, at whichever form of the line.
  for (const std::string hit : {"hit", "hit frame"}) {
    const auto result = s.run("state ingame=1\n" + hit + "\nstate ingame=0");
    EXPECT_EQ(result.code, ExitCode::GameCrash);
    EXPECT_EQ(
        result.message,
        "rafta-sim: the game would crash: GetPRI on the goal frame's object (line 2: " + hit + ")");
    EXPECT_TRUE(s.session->host().game().flag(GameFlag::InGame));
  }
  // Answered instead, as a null car's player would be.
  callers.clear();
  EXPECT_EQ(s.run("null-calls answer\nhit").code, ExitCode::Ok);
  EXPECT_EQ(callers, (std::vector<std::string>{""}));
}

TEST_F(SessionTest, LoadFillsTheHandlesPublishesTheFolderAndInstallsThePicture) {
  std::vector<std::string> seen;
  auto& s = start([&](ScriptedPlugin& p) {
    seen.emplace_back(p.cvarManager && p.gameWrapper ? "handles" : "no handles");
    seen.emplace_back(std::getenv("APPDATA"));
    seen.emplace_back(
        ImageWrapper(seen.back() + R"(\bakkesmod\bakkesmod\data\Rafta\images\goal.png)", true)
                .IsLoadedForCanvas()
            ? "loaded"
            : "not loaded");
  });
  const auto picture = plugin_facts::goalPicturePath(folder.path() / "appdata");
  ASSERT_EQ(s.run("load\nunload\npicture unloadable\nload\nunload\npicture absent\nload").code,
            ExitCode::Ok);
  const auto appData = (folder.path() / "appdata").string();
  EXPECT_EQ(seen, (std::vector<std::string>{"handles", appData, "loaded", "handles", appData,
                                            "not loaded", "handles", appData, "not loaded"}));
  EXPECT_FALSE(std::filesystem::exists(picture));
  ASSERT_EQ(s.run("unload\npicture unloadable\nload").code, ExitCode::Ok);
  EXPECT_TRUE(std::filesystem::exists(picture));
}

TEST_F(SessionTest, RestartForgetsEverythingBeforeTheLibraryClosesThenLoadsAFreshObject) {
  auto& s = start([](ScriptedPlugin& p) {
    p.cvarManager->registerCvar("v", "1");
    p.gameWrapper->HookEvent(kTouch, [](const std::string&) {});
    p.gameWrapper->SetTimeout([](GameWrapper*) {}, 5.0F);
    p.gameWrapper->RegisterDrawable([](CanvasWrapper) {});
  });
  journal.onClose = [&] {
    auto& host = s.session->host();
    EXPECT_FALSE(host.hooks().isHooked(kTouch));
    EXPECT_EQ(host.clock().pendingTimers(), 0U);
    EXPECT_EQ(host.frames().drawableCount(), 0U);
    EXPECT_EQ(host.console().findCvar("v"), nullptr);
    EXPECT_EQ(s.session->plugin(), nullptr);
  };
  ASSERT_EQ(s.run("load\nconsole v 9").code, ExitCode::Ok);
  const std::weak_ptr<BakkesMod::Plugin::BakkesModPlugin> first = s.session->plugin();
  ASSERT_EQ(s.run("restart\nexpect cvar v 1\nexpect timers 1").code, ExitCode::Ok);
  journal.onClose = nullptr;
  EXPECT_TRUE(first.expired());
  EXPECT_NE(s.session->plugin(), nullptr);
  EXPECT_EQ(journal.events, (std::vector<std::string>{"open", "getPlugin", "deleteMe", "close",
                                                      "open", "getPlugin"}));
}

TEST_F(SessionTest, RestartUnloadsALoadedPluginSoItCanStoreItsSettings) {
  auto& s = start([](ScriptedPlugin& p) { p.cvarManager->registerCvar("v", "1"); },
                  [](ScriptedPlugin& p) {
                    p.cvarManager->getCvar("v").setValue(4);
                    p.cvarManager->executeCommand("writeconfig", true);
                  });
  const auto result = s.run("load\nrestart\nexpect cvar v 4\nexpect stored v 4");
  EXPECT_EQ(result.code, ExitCode::Ok) << result.message;
}

TEST_F(SessionTest, TheEndOfTheSessionDropsThePluginWithoutUnloadingIt) {
  std::vector<std::string> calls;
  auto& s = start(
      [&](ScriptedPlugin& p) {
        p.gameWrapper->SetTimeout([&](GameWrapper*) { calls.emplace_back("timer"); }, 0.0F);
      },
      [&](ScriptedPlugin&) { calls.emplace_back("onUnload"); });
  ASSERT_EQ(s.run("load").code, ExitCode::Ok);
  std::weak_ptr<BakkesMod::Plugin::BakkesModPlugin> plugin = s.session->plugin();
  captured.reset();
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(plugin.expired());
  EXPECT_EQ(journal.events.back(), "close");
}

TEST_F(SessionTest, TheConsoleIsUtf8UnlessRawAndTraceLinesAreMarked) {
  const auto load = [](ScriptedPlugin& p) {
    p.cvarManager->log("\x80 d\xE9j\xE0");
    (void)p.gameWrapper->IsInGame();
  };
  {
    SessionOptions options;
    options.raw = true;
    options.trace = true;
    CapturedSession raw(std::make_unique<FakeLibrary>(journal, load), options);
    ASSERT_EQ(raw.run("picture absent\nload").code, ExitCode::Ok);
    EXPECT_EQ(raw.out, (std::vector<std::string>{"\x80 d\xE9j\xE0", "| query IsInGame -> 0",
                                                 "| exec config.cfg"}));
  }
  auto& plain = start(load);
  ASSERT_EQ(plain.run("picture absent\nload").code, ExitCode::Ok);
  EXPECT_EQ(plain.out, std::vector<std::string>{"€ déjà"});
}

}  // namespace
}  // namespace rafta::sim
