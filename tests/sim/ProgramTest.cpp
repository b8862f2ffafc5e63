#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ProgramRun.h"
#include "TestSupport.h"

namespace rafta::sim {
namespace {

class ProgramTest : public ::testing::Test {
 protected:
  [[nodiscard]] rafta::testing::ProgramRun run(const std::string& arguments) const {
    return rafta::testing::runProgram(std::string(RAFTA_SIM) + " " + arguments, folder.path());
  }

  std::string script(const std::string& text) const {
    const auto file = folder.path() / "session.scn";
    testing::writeFile(file, text);
    return file.string();
  }

  testing::ScratchFolder folder;
};

TEST_F(ProgramTest, StandardOutputCarriesOnlyTheConsole) {
  const auto result =
      run("run " + script("picture absent\nload\nexpect timers 1\n") + " --module " + ECHO_PLUGIN);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "EchoPlugin chargé #1\n");
  EXPECT_EQ(result.err, "");
}

TEST_F(ProgramTest, RawOutputKeepsThePluginsBytesAndTraceLinesAreMarked) {
  const auto result =
      run("run " + script("picture absent\nload\n") + " --raw --trace --module " + ECHO_PLUGIN);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("EchoPlugin charg\xE9 #1\n"), std::string::npos);
  EXPECT_NE(result.out.find("| RegisterDrawable\n"), std::string::npos);
}

TEST_F(ProgramTest, ExitStatusTellsWhatWentWrong) {
  const auto good = script("car me\n");
  EXPECT_EQ(run("--help").status, 0);
  EXPECT_EQ(run("").status, 2);
  EXPECT_EQ(run("run " + good + " --bogus").status, 2);
  EXPECT_EQ(run("run " + (folder.path() / "absent.scn").string()).status, 2);
  EXPECT_EQ(
      run("run " + script("load\n") + " --module " + (folder.path() / "none.so").string()).status,
      3);
  EXPECT_EQ(run("run " + script("car me\nexpect timers 1\n")).status, 1);
}

TEST_F(ProgramTest, PngWritesEveryFrameIntoTheFolderItMakes) {
  const auto pictures = folder.path() / "out" / "pictures";
  const auto result = run("run " + script("picture absent\nload\nframe 2\n") + " --module " +
                          ECHO_PLUGIN + " --png " + pictures.string());
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(std::filesystem::exists(pictures / "frame-0001.png"));
  EXPECT_TRUE(std::filesystem::exists(pictures / "frame-0002.png"));
  EXPECT_FALSE(std::filesystem::exists(pictures / "frame-0003.png"));
  EXPECT_EQ(
      run("run " + script("frame\n") + " --png " + (pictures / "frame-0001.png").string()).status,
      2);
}

TEST_F(ProgramTest, AConfigurationFileCanBeNamed) {
  const auto config = folder.path() / "deep" / "my.cfg";
  const auto result = run("run " + script("picture absent\nload\nunload\n") + " --config " +
                          config.string() + " --module " + ECHO_PLUGIN);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(testing::readFile(config), "echo_value \"1\"\n");
}

}  // namespace
}  // namespace rafta::sim
