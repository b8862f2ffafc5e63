#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "sim/errors/Errors.h"
#include "sim/run/Arguments.h"

namespace rafta::sim {
namespace {

Arguments parse(std::vector<const char*> args) { return parseArguments(args); }

TEST(CommandLine, RunTakesTheScriptAndOptionsInAnyOrder) {
  const auto line = parse({"run", "--trace", "s.scn", "--module", "m.so", "--appdata=/a", "--raw",
                           "--config", "c.cfg"});
  EXPECT_EQ(line.script, "s.scn");
  EXPECT_EQ(line.module, "m.so");
  EXPECT_EQ(line.session.appData, "/a");
  EXPECT_EQ(line.session.configFile, "c.cfg");
  EXPECT_TRUE(line.session.raw);
  EXPECT_TRUE(line.session.trace);
  EXPECT_FALSE(line.help);
  EXPECT_TRUE(line.session.pictureFolder.empty());
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

// `--png --raw` would make a folder named --raw and drop the option the user meant.
TEST(CommandLine, AnOptionValueMayNotBeAnotherOption) {
  const std::vector<std::pair<std::vector<const char*>, std::string>> bad{
      {{"run", "s.scn", "--png", "--raw"}, "--png needs a value, found the option --raw"},
      {{"run", "s.scn", "--config", "--trace", "c.cfg"},
       "--config needs a value, found the option --trace"},
      {{"run", "s.scn", "--module=--raw"}, "--module needs a value, found the option --raw"},
      {{"run", "--appdata", "--x", "s.scn"}, "--appdata needs a value, found the option --x"},
      {{"run", "s.scn", "--faults", "--raw"}, "--faults needs a value, found the option --raw"},
  };
  for (const auto& [args, message] : bad) {
    try {
      (void)parse(args);
      ADD_FAILURE() << message;
    } catch (const ScriptError& error) {
      EXPECT_EQ(error.what(), message);
    }
  }
  EXPECT_EQ(parse({"run", "s.scn", "--png", "./--raw"}).session.pictureFolder, "./--raw");
  EXPECT_EQ(parse({"run", "s.scn", "--png", "-raw"}).session.pictureFolder, "-raw");
}

}  // namespace
}  // namespace rafta::sim
