#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

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
  // The module's hook asks a null caller for its player, as the real game would crash on: the run
  // stops at that call, across the module's boundary, and nothing more is written.
  const auto crash = run("run " + script("picture absent\nload\ntouch  null # no car\nframe\n") +
                         " --module " + ECHO_PLUGIN);
  EXPECT_EQ(crash.status, 5);
  EXPECT_EQ(crash.err, "rafta-sim: the game would crash: GetPRI on null (line 3: touch null)\n");
  EXPECT_EQ(crash.out, "EchoPlugin chargé #1\n");
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

// What a user may name as SCRIPT by mistake: each is refused by name, none is read without end and
// none waits for a writer.
TEST_F(ProgramTest, OnlyARegularFileIsAScript) {
  const auto fifo = folder.path() / "fifo.scn";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::vector<std::pair<std::string, std::string>> refused{
      {folder.path().string(), ": the script is a directory, not a regular file"},
      {"/dev/zero", ": the script is a character device, not a regular file"},
      {"/proc/self/mem", ": cannot read the script: "},
      {fifo.string(), ": the script is a FIFO, not a regular file"},
  };
  for (const auto& [path, said] : refused) {
    const auto result = run("run " + path);
    EXPECT_EQ(result.status, 2) << path;
    EXPECT_EQ(result.err.rfind(path + said, 0), 0U) << result.err;
  }
}

TEST_F(ProgramTest, AScriptMayHoldSixteenMebibytesAndNoMore) {
  constexpr std::size_t kMost = std::size_t{16} * 1024 * 1024;
  std::string comment(kMost, '#');
  comment.back() = '\n';
  const auto most = script(comment);
  EXPECT_EQ(run("run " + most).status, 0);
  const auto more = script(comment + "\n");
  const auto result = run("run " + more);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, more + ": the script holds more than 16 MiB, the most a script may hold\n");
}

TEST_F(ProgramTest, MessagesCarryNoRawControlBytes) {
  const auto path = script("\x1B]0;title\x07\n");
  auto result = run("run " + path);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, path + ":1: unknown command: \\x1B]0;title\\x07\n");
  result = run("run " + path + " " + rafta::testing::shellQuoted("--\x1B[2J"));
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err.rfind("rafta-sim: unexpected argument --\\x1B[2J\n", 0), 0U) << result.err;
}

// A user who names a module by its file name means the file in the current folder, never one in
// the system's library folders or beside rafta-sim.
TEST_F(ProgramTest, AModuleArgumentIsAPathFromTheCurrentFolder) {
  testing::writeFile(folder.path() / "echo.so", testing::readFile(ECHO_PLUGIN));
  testing::writeFile(folder.path() / "Rafta.so", "a text file, not a module\n");
  const auto session = script("picture absent\nload\n");
  const auto from = "cd " + rafta::testing::shellQuoted(folder.path().string()) + " && ";
  auto result = rafta::testing::runProgram(
      from + RAFTA_SIM + " run " + session + " --module echo.so", folder.path());
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "EchoPlugin chargé #1\n");
  result = rafta::testing::runProgram(from + RAFTA_SIM + " run " + session + " --module Rafta.so",
                                      folder.path());
  EXPECT_EQ(result.status, 3) << result.out;
  EXPECT_EQ(result.err.rfind(session + ":2: cannot load module Rafta.so: ", 0), 0U) << result.err;
}

TEST_F(ProgramTest, AModuleCutShortExitsThreeInsteadOfCrashing) {
  const auto cut = folder.path() / "cut.so";
  testing::writeFile(cut, testing::readFile(ECHO_PLUGIN).substr(0, 0x3000));
  const auto result = run("run " + script("load\n") + " --module " + cut.string());
  EXPECT_EQ(result.status, 3);
  EXPECT_NE(result.err.find(": the file is cut short: "), std::string::npos) << result.err;
}

// Permission bits stop every user but root: as root, the run is made as nobody to meet them.
TEST_F(ProgramTest, AConfigurationTheUserMayNotReadIsRefusedAndLeftAsItIs) {
  const auto home = folder.path() / "home";
  const auto config = home / "config.cfg";
  const auto session = home / "session.scn";
  const std::string stored = "echo_value \"57\"\nother_plugin \"kept\"\n";
  testing::writeFile(session, "picture absent\nload\nunload\n");
  testing::writeFile(config, stored);
  std::string as;
  if (::geteuid() == 0) {
    constexpr unsigned kNobody = 65534;
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
    for (const auto& path : {home, config, session}) {
      ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    }
    as = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
  }
  const auto asUser = [&] {
    return rafta::testing::runProgram(as + RAFTA_SIM + " run " + session.string() + " --config " +
                                          config.string() + " --module " + ECHO_PLUGIN,
                                      folder.path());
  };
  const auto readable = asUser();
  if (!as.empty() && readable.status != 0) {
    GTEST_SKIP() << "rafta-sim cannot run as nobody here: " << readable.err;
  }
  ASSERT_EQ(readable.status, 0) << readable.err;
  EXPECT_EQ(testing::readFile(config), stored);

  ASSERT_EQ(::chmod(config.c_str(), 0), 0);
  const auto refused = asUser();
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.err, "rafta-sim: cannot read the configuration file " + config.string() +
                             ": Permission denied; it is left as it is\n");
  EXPECT_EQ(refused.out, "");
  struct stat info {};
  ASSERT_EQ(::stat(config.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777U, 0U);
  ::chmod(config.c_str(), 0600);
  EXPECT_EQ(testing::readFile(config), stored);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home), {}), 2);
}

// A write the host could not make: the session goes on, as in a real game, and the run ends with
// exit 4 once every line has run; a failed check or a malformed script still says so instead.
TEST_F(ProgramTest, AFailedConfigurationWriteEndsTheRunWithExitFour) {
  testing::writeFile(folder.path() / "blocker", "a file where a folder should be");
  const auto config = (folder.path() / "blocker" / "config.cfg").string();
  const auto session = script("picture absent\nload\nunload\nload\n");
  auto result = run("run " + session + " --config " + config + " --module " + ECHO_PLUGIN);
  EXPECT_EQ(result.status, 4);
  EXPECT_EQ(result.out, "EchoPlugin chargé #1\nEchoPlugin déchargé\nEchoPlugin chargé #2\n");
  EXPECT_EQ(result.err, "rafta-sim: writeconfig: cannot write " + config + ": Not a directory\n" +
                            session +
                            ": the host could not write what the session made (first: "
                            "writeconfig: cannot write " +
                            config + ": Not a directory)\n");
  result = run("run " + script("picture absent\nload\nunload\nexpect timers 0\n") + " --config " +
               config + " --module " + ECHO_PLUGIN);
  EXPECT_EQ(result.status, 1);
}

// The user's own mark: a file without its write bit is never replaced, though its folder would let
// a rename through and root may write anything.
TEST_F(ProgramTest, AReadOnlyConfigurationIsLeftAsItIsAndTheRunEndsWithExitFour) {
  const auto config = folder.path() / "config.cfg";
  const std::string stored = "echo_value \"57\"\nother_plugin \"kept\"\n";
  testing::writeFile(config, stored);
  ASSERT_EQ(::chmod(config.c_str(), 0444), 0);
  const auto result = run("run " + script("picture absent\nload\nunload\n") + " --config " +
                          config.string() + " --module " + ECHO_PLUGIN);
  EXPECT_EQ(result.status, 4);
  EXPECT_EQ(result.err.rfind("rafta-sim: writeconfig: cannot write " + config.string() +
                                 ": the file is read-only; it is left as it is\n",
                             0),
            0U)
      << result.err;
  EXPECT_EQ(testing::readFile(config), stored);
  struct stat info {};
  ASSERT_EQ(::stat(config.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777U, 0444U);
}

// A picture that cannot be made, and one whose bytes the device refuses after it was opened.
TEST_F(ProgramTest, AFailedPictureWriteEndsTheRunWithExitFour) {
  const auto session = script("frame 2\n");
  for (const std::string obstacle : {"folder", "full"}) {
    const auto pictures = folder.path() / obstacle;
    const auto first = pictures / "frame-0001.png";
    std::filesystem::create_directories(obstacle == "folder" ? first : pictures);
    if (obstacle == "full") {
      std::filesystem::create_symlink("/dev/full", first);
    }
    const auto result =
        run("run " + session + " --module " + ECHO_PLUGIN + " --png " + pictures.string());
    EXPECT_EQ(result.status, 4) << obstacle;
    EXPECT_EQ(result.err.rfind("rafta-sim: cannot write the picture " + first.string() + "\n", 0),
              0U)
        << result.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(pictures / "frame-0002.png")) << obstacle;
  }
}

TEST_F(ProgramTest, AStandardOutputThatTakesNoBytesEndsTheRunWithExitFour) {
  const auto session = script("picture absent\nload\n");
  const auto redirected = [&](const std::string& redirection) {
    return rafta::testing::runProgram("{ " + std::string(RAFTA_SIM) + " run " + session +
                                          " --module " + ECHO_PLUGIN + " " + redirection + "; }",
                                      folder.path());
  };
  auto result = redirected(">/dev/full");
  EXPECT_EQ(result.status, 4);
  EXPECT_NE(result.err.find("rafta-sim: cannot write the console log to standard output: No space "
                            "left on device\n"),
            std::string::npos)
      << result.err;
  result = redirected(">&-");
  EXPECT_EQ(result.status, 4);
  EXPECT_NE(result.err.find("rafta-sim: cannot write the console log to standard output: Bad file "
                            "descriptor\n"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(rafta::testing::runProgram("{ " + std::string(RAFTA_SIM) + " --help >/dev/full; }",
                                       folder.path())
                .status,
            4);
}

}  // namespace
}  // namespace rafta::sim
