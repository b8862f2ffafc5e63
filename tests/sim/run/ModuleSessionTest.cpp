#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "sim/run/ModuleLibrary.h"

namespace rafta::sim {
namespace {

using testing::CapturedSession;

CapturedSession sessionWith(const std::string& module) {
  SessionOptions options;
  return {std::make_unique<ModuleLibrary>(module), options};
}

TEST(ModuleSession, AMissingModuleStopsTheRunWithExitThree) {
  auto s = sessionWith("/nowhere/Rafta.so");
  EXPECT_EQ(s.run("car me").code, ExitCode::Ok);  // nothing is loaded before `load`
  const auto result = s.run("car me\nload\nframe");
  EXPECT_EQ(result.code, ExitCode::ModuleError);
  EXPECT_EQ(result.message.rfind("test.scn:2: cannot load module /nowhere/Rafta.so: ", 0), 0U)
      << result.message;
}

TEST(ModuleSession, AModuleWithoutThePluginExportsStopsTheRunWithExitThree) {
  auto s = sessionWith(NOT_A_PLUGIN);
  const auto result = s.run("load");
  EXPECT_EQ(result.code, ExitCode::ModuleError);
  EXPECT_NE(result.message.find(std::string(NOT_A_PLUGIN) + " lacks the export getPlugin"),
            std::string::npos)
      << result.message;
}

// Cut where the loader would map pages that are not there (a bus error before), where only the
// sections the loader skips are missing, and at the very end.
TEST(ModuleSession, AModuleCutShortStopsTheRunWithExitThreeNamingIt) {
  testing::ScratchFolder folder;
  const std::string whole = testing::readFile(ECHO_PLUGIN);
  for (const std::size_t length :
       {std::size_t{20}, std::size_t{0x3000}, whole.size() / 2, whole.size() - 1}) {
    const auto cut = folder.path() / ("cut-" + std::to_string(length) + ".so");
    testing::writeFile(cut, whole.substr(0, length));
    auto s = sessionWith(cut.string());
    const auto result = s.run("load");
    EXPECT_EQ(result.code, ExitCode::ModuleError) << length;
    EXPECT_EQ(
        result.message.rfind(
            "test.scn:1: cannot load module " + cut.string() + ": the file is cut short: ", 0),
        0U)
        << result.message;
  }
}

TEST(ModuleSession, ARealModuleLivesThroughUnloadsAndRestarts) {
  auto s = sessionWith(ECHO_PLUGIN);
  const auto result = s.run(
      "picture absent\n"
      "car me id \"Player|1\"\n"
      "load\n"
      "touch me\n"
      "expect log \"touch by Player|1\"\n"
      "frame\n"
      "expect drawn \"echo 1\"\n"
      "console echo_value 5\n"
      "unload\n"
      "expect log \"EchoPlugin déchargé\"\n"
      "expect stored echo_value 5\n"
      "expect not-hooked OnHitBall\n"
      "expect timers 1\n"
      "wait 2\n"  // its timer outlived the object: skipped, not called
      "frame\n"   // its drawable went with the unload
      "expect nothing-drawn\n"
      "load\n"  // the module stayed loaded: its second object, whose variable starts afresh
      "expect log \"EchoPlugin chargé #2\"\n"
      "expect cvar echo_value 1\n"
      "restart\n"  // unloaded, storing that default, and loaded again: its state starts over
      "expect log \"EchoPlugin chargé #1\"\n"
      "expect cvar echo_value 1\n"
      "expect hooked OnHitBall\n"
      "restart\n"
      "expect timers 1\n");
  EXPECT_EQ(result.code, ExitCode::Ok) << result.message;
  EXPECT_EQ(s.err.size(), 1U);
}

}  // namespace
}  // namespace rafta::sim
