// What is stored, through the real host's variable life as rafta-sim plays it: variables that
// start at their defaults, a configuration executed only after a game start's load, an unload that
// removes them, a host that drops the lines of variables nobody registered, a game that exits
// without unloading. Every story runs on the harsher host (`config-unknown drop`).
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
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

// A game start whose configuration the host executes that many seconds after load, then THEN.
std::string startedWithDelay(const std::string& delay, const std::string& then) {
  return "config-delay " + delay + "\nload\nwait 1\n" + then;
}

std::string readLog(int total) {
  return "expect log \"rafta_total_hit_count chargé avec valeur différée : " +
         std::to_string(total) + "\"\n";
}

std::filesystem::path savedCopyOf(const SimWorkspace& workspace) {
  return workspace.appdata() / "bakkesmod" / "bakkesmod" / "cfg" / "rafta.cfg";
}

// Plays the script and expects every `expect` of it to hold.
ProgramRun playedIn(const SimWorkspace& workspace, const std::string& script,
                    const std::vector<std::string>& options = {}) {
  ProgramRun run = workspace.play(kHarshHost + kMatch + script, options);
  EXPECT_EQ(run.status, 0) << run.err << run.out;
  return run;
}

class StoredValues : public ::testing::Test {
 protected:
  [[nodiscard]] std::filesystem::path savedCopy() const { return savedCopyOf(workspace); }

  ProgramRun played(const std::string& script, const std::vector<std::string>& options = {}) {
    return playedIn(workspace, script, options);
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

// The page's reset writes only the copy, and the game exits before the host writes its own file:
// the host's older configuration, executed after load whenever it is, and written again by the host
// when the player closes its settings window, never brings 57 back. With a configuration this
// plugin wrote, which counts its saves, and with one that counts none.
TEST_F(StoredValues, APageResetThenAnExitWithoutUnloadStaysReset) {
  const std::string resetThenExits =
      "click \"Reinitialiser le compteur total\"\nrestart without-unload\n"
      "frame\nexpect drawn \"Rafta hits | match: 0 | session 0 | total: 0\"\n"
      "wait 3\nsettings close\nrestart without-unload\nwait 3\n" +
      readLog(0) + countedHitAt(30) + "restart without-unload\nwait 3\n" + readLog(1);
  for (const std::string delay : {"0", "0.5", "2"}) {
    for (const std::string& before : {std::string(), countedHitAt(20)}) {
      const SimWorkspace fresh;
      fresh.writeConfig(kStored57);
      playedIn(fresh, startedWithDelay(delay, before + resetThenExits));
    }
  }
}

// The host cannot write its configuration any more: the copy, written at every commit, is newer,
// and the stale configuration the host executes at the next game start undoes nothing of it.
TEST_F(StoredValues, AStaleConfigurationFromAFailedHostWriteUndoesNothing) {
  workspace.writeConfig(kStored57);
  played("load\nwait 1\n" + countedHitAt(20) + "restart without-unload\n");
  std::filesystem::permissions(workspace.config(), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  const std::string harshMatch = kHarshHost + kMatch;
  const std::string changesThenRestart =
      countedHitAt(30) +
      "slide \"Position X\" 500\ncommand rafta_style 3\nrestart\n"
      "frame\nexpect drawn \"Rafta hits | match: 0 | session 0 | total: 59\"\n"
      "wait 3\nframe\nexpect cvar rafta_overlay_x 500\n"
      "expect cvar rafta_overlay_style 3\nexpect cvar rafta_total_hit_count 59\n";
  for (const std::string delay : {"0", "0.5", "2"}) {
    const ProgramRun run = workspace.play(harshMatch + startedWithDelay(delay, changesThenRestart));
    EXPECT_EQ(run.status, 4) << "delay " << delay << ": only the host's own write fails\n"
                             << run.err;
    // The next run goes on from what this one stored.
    const std::string copy = readFile(savedCopy());
    EXPECT_NE(copy.find("rafta_total_hit_count \"59\""), std::string::npos) << copy;
    writeFile(savedCopy(), std::string(copy).replace(copy.find("\"59\""), 4, "\"58\""));
  }
}

// A value the player typed and the host then wrote is newer than the copy, and wins.
TEST_F(StoredValues, ATypedValueTheHostWroteWinsAtTheNextStart) {
  for (const std::string write : {"command writeconfig\n", "settings close\n"}) {
    const SimWorkspace fresh;
    playedIn(fresh, "load\nwait 1\n" + countedHitAt(20) + "console rafta_overlay_x 640\n" + write +
                        "restart without-unload\nwait 3\nexpect cvar rafta_overlay_x 640\n" +
                        readLog(1) + "unload\nexpect stored rafta_overlay_x 640\n");
  }
}

// Typed values that are no numbers are never written: the held value is, and a reload uses it.
TEST_F(StoredValues, ANanTypedIsNeverStored) {
  for (const std::string typed : {"nan", "inf", "abc"}) {
    played("load\nwait 1\nconsole rafta_overlay_x " + typed + "\n" + countedHitAt(20) +
           "command writeconfig\nunload\nload\nframe\nexpect cvar rafta_overlay_x 100\n"
           "restart\nwait 3\nframe\nexpect cvar rafta_overlay_x 100\n");
    const std::string copy = readFile(savedCopy());
    EXPECT_NE(copy.find("rafta_overlay_x \"100\""), std::string::npos) << typed << copy;
  }
}

// Every sound line of the copy counts, whatever else the file holds or lacks.
TEST_F(StoredValues, HarmlessDifferencesInTheCopyLoseNothing) {
  const std::vector<std::string> copies = {
      "rafta_total_hit_count \"60\"",  // no last line end
      "rafta_total_hit_count \"60\"\n\n\n",
      "\xEF\xBB\xBFrafta_total_hit_count \"60\"\r\nrafta_overlay_y \"80\"\r\n",
      "// kept by hand\nrafta_total_hit_count \"60\" //the all-time total\n",
      "rafta_unknown \"1\"\nbind F5 rafta_toggle_overlay\nrafta_total_hit_count \"60\"\n"};
  for (const std::string& copy : copies) {
    const SimWorkspace fresh;
    writeFile(savedCopyOf(fresh), copy);
    const ProgramRun run = playedIn(fresh, "load\nwait 1\n" + readLog(60));
    EXPECT_EQ(run.out.find("endommag"), std::string::npos) << run.out;
  }
}

// A pipe where the copy should be is never opened for reading, and nothing is written through a
// link planted where the copy's new file is written.
TEST_F(StoredValues, TheCopyIsReadOnlyFromAFileAndWrittenThroughNoLink) {
  writeFile(workspace.config(), kStored57);
  ASSERT_EQ(::mkfifo(savedCopy().c_str(), 0600), 0);
  const std::filesystem::path victim = workspace.appdata() / "victim.txt";
  writeFile(victim, "untouched");
  std::filesystem::create_symlink(victim, savedCopy().parent_path() / "rafta.cfg.new");
  played("load\nwait 1\n" + readLog(57) + countedHitAt(20) + "restart\nwait 1\n" + readLog(58));
  EXPECT_EQ(readFile(victim), "untouched");
  EXPECT_TRUE(std::filesystem::is_regular_file(savedCopy()));
}

// One drag of a slider: the host's configuration at every step, as the page always wrote it; the
// copy once, when the drag ends.
TEST_F(StoredValues, ADragWritesTheCopyOnceWhenItEnds) {
  const std::filesystem::path folder = savedCopy().parent_path();
  std::filesystem::create_directories(folder);
  const int watch = ::inotify_init1(IN_NONBLOCK);
  ASSERT_GE(watch, 0);
  ASSERT_GE(::inotify_add_watch(watch, folder.c_str(), IN_MOVED_TO), 0);
  const ProgramRun run = played(
      "load\nwait 1\ndrag \"Position X\" 0 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0.9 1\n", {"--trace"});
  const std::vector<std::string> lines = run.outLines();
  EXPECT_GE(std::count(lines.begin(), lines.end(), "| executeCommand \"writeconfig\""), 8);
  std::array<char, 4096> events{};
  int copies = 0;
  for (ssize_t size = 0; (size = ::read(watch, events.data(), events.size())) > 0;) {
    for (ssize_t at = 0; at < size;) {
      const auto* event = reinterpret_cast<const inotify_event*>(events.data() + at);
      copies += event->len > 0 && std::string(event->name) == "rafta.cfg" ? 1 : 0;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  ::close(watch);
  EXPECT_GE(copies, 1);
  EXPECT_LE(copies, 2);
  EXPECT_NE(readFile(savedCopy()).find("rafta_overlay_x \"1920\""), std::string::npos);
}

// A user folder whose name no code page of the system spells: the plugin reads and writes its
// files by the path the host gives, so that a reload mid-game finds what is stored.
TEST_F(StoredValues, AUserFolderNamedInAnyScriptLosesNothing) {
  const std::filesystem::path appdata = workspace.appdata() / "Frédéric Ωμέγα";
  writeFile(appdata / "bakkesmod" / "bakkesmod" / "cfg" / "config.cfg", kStored57);
  const std::filesystem::path script = workspace.appdata() / "session.scn";
  writeFile(script, kHarshHost + kMatch + "load\nwait 1\n" + readLog(57) + countedHitAt(20) +
                        "unload\nload\nwait 1\n" + readLog(58));
  const ProgramRun run =
      runProgram(shellQuoted(RAFTA_SIM) + " run " + shellQuoted(script.string()) + " --appdata " +
                     shellQuoted(appdata.string()),
                 workspace.appdata());
  EXPECT_EQ(run.status, 0) << run.err << run.out;
}

// A configuration the plugin cannot find (`--config` elsewhere) that is newer than the copy, which
// could not be written meanwhile: when the host executes it, its values and total are taken.
TEST_F(StoredValues, ANewerConfigurationTheHostExecutesIsTaken) {
  const std::vector<std::string> elsewhere = {"--config",
                                              (workspace.appdata() / "elsewhere.cfg").string()};
  const std::filesystem::path folder = savedCopy().parent_path();
  played("load\nwait 1\n" + countedHitAt(20) + "restart without-unload\n", elsewhere);
  std::filesystem::rename(folder, folder.string() + ".kept");
  writeFile(folder, "");  // no copy can be written while this file stands for the folder
  played("load\nwait 1\n" + countedHitAt(20) + "command rafta_style 2\nrestart without-unload\n",
         elsewhere);
  std::filesystem::remove(folder);
  std::filesystem::rename(folder.string() + ".kept", folder);
  played(
      "config-delay 0.5\nload\nframe\nexpect drawn \"Rafta hits | match: 0 | session 0 | total: "
      "1\"\n"
      "wait 1\n" +
          readLog(2) + "expect cvar rafta_overlay_style 2\n",
      elsewhere);
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

int StoredTotalIn(const std::filesystem::path& file) {
  const std::string text = std::filesystem::exists(file) ? readFile(file) : std::string();
  const std::string key = "rafta_total_hit_count \"";
  const auto at = text.find(key);
  return at == std::string::npos ? 0 : std::stoi(text.substr(at + key.size()));
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
    // The next start, whenever the host executes its configuration, shows no total below the one
    // the newer file holds: the larger of the two, as neither was reset.
    const int stored = std::max(StoredTotalIn(workspace.config()), StoredTotalIn(savedCopy()));
    const ProgramRun next =
        workspace.play(kHarshHost + kMatch + "config-delay 1.5\nload\nwait 3\n");
    const std::string told = "rafta_total_hit_count chargé avec valeur différée : ";
    const std::vector<std::string> lines = next.outLines();
    const auto line = std::find_if(lines.begin(), lines.end(),
                                   [&](const std::string& text) { return text.starts_with(told); });
    ASSERT_NE(line, lines.end()) << next.out;
    EXPECT_GE(std::stoi(line->substr(told.size())), stored) << "after a kill at " << moment;
  }
}

}  // namespace
}  // namespace rafta::testing
