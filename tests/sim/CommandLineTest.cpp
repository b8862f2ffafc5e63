#include <gtest/gtest.h>

#include <vector>

#include "CommandLine.h"
#include "Faults.h"

namespace rafta::sim {
namespace {

CommandLine parse(std::vector<const char*> args) { return parseCommandLine(args); }

TEST(CommandLine, RunTakesTheScriptAndOptionsInAnyOrder) {
  const auto line = parse({"run", "--trace", "s.scn", "--module", "m.so", "--appdata=/a", "--raw",
                           "--config", "c.cfg"});
  EXPECT_EQ(line.script, "s.scn");
  EXPECT_EQ(line.module, "m.so");
  EXPECT_EQ(line.appData, "/a");
  EXPECT_EQ(line.config, "c.cfg");
  EXPECT_TRUE(line.raw);
  EXPECT_TRUE(line.trace);
  EXPECT_FALSE(line.help);
  EXPECT_TRUE(line.png.empty());
}

TEST(CommandLine, HelpStandsAlone) {
  EXPECT_TRUE(parse({"--help"}).help);
  EXPECT_TRUE(parse({"run", "--help"}).help);
}

TEST(CommandLine, MalformedCommandLinesAreRefused) {
  const std::vector<std::vector<const char*>> bad{
      {},
      {"play", "s.scn"},
      {"run"},
      {"run", "a.scn", "b.scn"},
      {"run", "s.scn", "--module"},
      {"run", "s.scn", "--module="},
      {"run", "s.scn", "--fast"},
      {"s.scn"},
  };
  for (const auto& args : bad) {
    EXPECT_THROW((void)parse(args), ScriptError) << args.size();
  }
}

}  // namespace
}  // namespace rafta::sim
