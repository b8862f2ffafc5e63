// What is stored, through the real host's variable life as rafta-sim plays it: variables that
// start at their defaults, a configuration executed only after a game start's load, an unload that
// removes them, a host that drops the lines of variables nobody registered, a game that exits
// without unloading. Every story runs on the harsher host (`config-unknown drop`).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "SimRunner.h"

namespace rafta::testing {
namespace {

const std::string kHarshHost = "config-unknown drop\n";
const std::string kMatch =
    "car me id me-id team 0\nlocal me\nstate ingame=1\nball pos 0 4000 100 vel 1000 0 0\n";
const std::string kStored57 = "rafta_total_hit_count \"57\"\n";

// A hit that counts, at that game time (at least 0.9 s after the last one).
std::string countedHitAt(int seconds) {
  return "clock " + std::to_string(seconds) + "\ntouch me\nhit\n";
}

std::string readLog(int total) {
  return "expect log \"rafta_total_hit_count chargé avec valeur différée : " +
         std::to_string(total) + "\"\n";
}

class StoredValues : public ::testing::Test {
 protected:
  [[nodiscard]] std::filesystem::path savedCopy() const {
    return workspace.appdata() / "bakkesmod" / "bakkesmod" / "cfg" / "rafta.cfg";
  }

  // Plays the script and expects every `expect` of it to hold.
  ProgramRun played(const std::string& script, const std::vector<std::string>& options = {}) {
    ProgramRun run = workspace.play(kHarshHost + kMatch + script, options);
    EXPECT_EQ(run.status, 0) << run.err << run.out;
    return run;
  }

  SimWorkspace workspace;
};

TEST_F(StoredValues, AReloadMidGameKeepsTheTotalWithAndWithoutHits) {
  workspace.writeConfig(kStored57);
  played("load\nwait 1\n" + readLog(57) + countedHitAt(20) + "unload\nload\nwait 1\n" +
         readLog(58) +                             // a reload with a hit before it
         "unload\nload\nwait 1\n" + readLog(58) +  // and one without
         countedHitAt(22) +
         "expect stored rafta_total_hit_count 59\n"
         "unload\nexpect stored rafta_total_hit_count 59\n");
}

TEST_F(StoredValues, AReloadInsideTheFirstSecondStoresNothingLower) {
  workspace.writeConfig("rafta_total_hit_count \"57\"\nrafta_overlay_x \"300\"\n");
  played(
      "config-delay 0.9\nload\nwait 0.5\ntoggle \"Afficher overlay\"\nunload\n"
      "expect stored rafta_total_hit_count 57\nexpect stored rafta_overlay_x 300\n"
      "expect stored rafta_overlay_enabled 0\n"
      "load\nwait 0.5\n" +
      countedHitAt(20) + "unload\n" + "expect stored rafta_total_hit_count 58\nload\nwait 1\n" +
      readLog(58) + "frame\nexpect nothing-drawn\n");
}

TEST_F(StoredValues, ClosingTheSettingsWindowAfterAReloadStoresWhatWasStored) {
  workspace.writeConfig("rafta_total_hit_count \"57\"\nrafta_overlay_style \"3\"\n");
  played(
      "load\nwait 1\nunload\nload\nsettings close\n"
      "expect stored rafta_total_hit_count 57\nexpect stored rafta_overlay_style 3\n"
      "settings\nsettings close\nexpect stored rafta_total_hit_count 57\n");
}

TEST_F(StoredValues, AGameRunWithoutThePluginLosesNothing) {
  workspace.writeConfig(kStored57);
  played("load\nwait 1\n" + countedHitAt(20) +
         "unload\nrestart\nunload\ncommand writeconfig\n"  // the next game, without the plugin
         "restart\nwait 1\n" +
         readLog(58));
  EXPECT_EQ(workspace.readConfig().find("rafta_total_hit_count \"58\""), std::string::npos)
      << "the story needs a host that dropped the plugin's lines:\n"
      << workspace.readConfig();
}

TEST_F(StoredValues, AStoredOverlayOffSurvivesGameStarts) {
  workspace.writeConfig("rafta_overlay_enabled \"0\"\n");
  played(
      "load\nframe\nexpect nothing-drawn\nrestart\nframe\nexpect nothing-drawn\n"
      "restart\nframe\nexpect nothing-drawn\nexpect stored rafta_overlay_enabled 0\n");
}

TEST_F(StoredValues, KeysPressedBeforeAGameExitWithoutUnloadAreKept) {
  workspace.writeConfig(kStored57);
  played("load\nwait 1\ncommand rafta_toggle_overlay\ncommand rafta_style 3\n" + countedHitAt(20) +
         "restart without-unload\nwait 1\n" + readLog(58) +
         "frame\nexpect nothing-drawn\nexpect cvar rafta_overlay_style 3\n"
         "command rafta_toggle_overlay\nframe\nexpect drawn \"Rafta hits | match: 0 | session 0 | "
         "total: 58\"\n");
}

TEST_F(StoredValues, AConfirmedResetHoldsAcrossAReloadAndAGameStart) {
  workspace.writeConfig(kStored57);
  played(
      "load\nwait 1\ncommand rafta_reset_total\nexpect cvar rafta_total_hit_count 57\n"
      "command rafta_reset_total confirm\nunload\nload\nwait 1\n" +
      readLog(0) + "restart\nwait 1\n" + readLog(0));
}

TEST_F(StoredValues, ADamagedCopyLowersNothingAndIsWrittenWholeAgain) {
  for (const std::string& damaged : {std::string("rafta_total_hit_count \"12"),
                                     std::string("rafta_total_hit_count \"lots\"\n")}) {
    workspace.writeConfig(kStored57);
    writeFile(savedCopy(), damaged);
    const ProgramRun run = played("load\nwait 1\n" + readLog(57) + "command rafta_style 1\n");
    const std::vector<std::string> lines = run.outLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         "Erreur : " + savedCopy().string() +
                             " est endommagé, les valeurs de config.cfg sont gardées"),
              1)
        << run.out;
    const std::string copy = readFile(savedCopy());
    EXPECT_NE(copy.find("rafta_total_hit_count \"57\"\n"), std::string::npos) << copy;
    EXPECT_NE(copy.find("rafta_overlay_style \"1\"\n"), std::string::npos) << copy;
  }
}

TEST_F(StoredValues, ACopyThatCannotBeWrittenIsToldOnceAndTheGameGoesOn) {
  const std::filesystem::path config = workspace.appdata() / "elsewhere.cfg";
  writeFile(config, kStored57);
  // Where the host's cfg folder should be stands a file: no copy can be made there, even by root.
  writeFile(workspace.appdata() / "bakkesmod" / "bakkesmod" / "cfg", "");
  const ProgramRun run = played("load\nwait 1\n" + readLog(57) + countedHitAt(20) +
                                    countedHitAt(22) + "expect stored rafta_total_hit_count 59\n",
                                {"--config", config.string()});
  const std::vector<std::string> lines = run.outLines();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& line) {
                            return line.starts_with("Erreur : impossible d'écrire ");
                          }),
            1)
      << run.out;
}

// Whole: every line `name "value"`, the last one ended, and the total among them.
bool IsWhole(const std::string& text) {
  if (text.empty() || !text.ends_with('\n') ||
      text.find("rafta_total_hit_count \"") == std::string::npos) {
    return false;
  }
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end - start);
    if (line.find(" \"") == std::string::npos || !line.ends_with('"')) {
      return false;
    }
    start = end + 1;
  }
  return true;
}

TEST_F(StoredValues, AKillDuringTheWritesLeavesBothFilesWhole) {
  std::string script = "load\nwait 1\n";
  for (int hit = 0; hit < 20000; ++hit) {
    script += countedHitAt(20 + hit);
  }
  writeFile(workspace.appdata() / "session.scn", kHarshHost + kMatch + script);
  for (const char* moment : {"0.05", "0.1", "0.2", "0.3", "0.5"}) {
    const ProgramRun run =
        runProgram("timeout -s KILL " + std::string(moment) + " " + shellQuoted(RAFTA_SIM) +
                       " run " + shellQuoted((workspace.appdata() / "session.scn").string()) +
                       " --appdata " + shellQuoted(workspace.appdata().string()),
                   workspace.appdata());
    ASSERT_NE(run.status, 0) << "the session ended before the kill at " << moment;
    for (const std::filesystem::path& file : {workspace.config(), savedCopy()}) {
      if (std::filesystem::exists(file)) {
        EXPECT_TRUE(IsWhole(readFile(file))) << file << " after a kill at " << moment;
      }
    }
  }
}

}  // namespace
}  // namespace rafta::testing
