#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "bakkesmod/wrappers/cvarmanagerwrapper.h"
#include "sim/console/ConfigFile.h"
#include "sim/errors/Errors.h"
#include "sim/host/Host.h"

namespace rafta::sim {
namespace {

using testing::readFile;
using testing::ScratchFolder;
using testing::writeFile;

class ConfigFileTest : public ::testing::Test {
 protected:
  [[nodiscard]] std::filesystem::path configFile() const {
    return defaultConfigFile(folder.path());
  }

  Host& startHost() {
    host = std::make_unique<Host>(HostOptions{
        folder.path(), {}, [this](const std::string& line) { warnings.push_back(line); }});
    return *host;
  }

  // Registers as a plugin does, through the console manager handle.
  std::string registered(const std::string& name, const std::string& value, bool save = true) {
    auto manager = host->cvarManager();
    return std::to_string(
        manager->registerCvar(name, value, "", true, false, 0.0F, false, 0.0F, save).getIntValue());
  }

  ScratchFolder folder;
  std::vector<std::string> warnings;
  std::unique_ptr<Host> host;
};

TEST_F(ConfigFileTest, WriteconfigStoresSavedVariablesAndARestartReadsThemBack) {
  auto& h = startHost();
  registered("kept", "1");
  registered("unsaved", "1", false);
  h.console().findCvar("kept")->setText("57");
  h.console().findCvar("unsaved")->setText("9");
  h.cvarManager()->executeCommand("writeconfig", true);

  EXPECT_EQ(readFile(configFile()), "kept \"57\"\n");
  h.forgetAll();
  EXPECT_EQ(h.console().findCvar("kept"), nullptr);
  EXPECT_EQ(registered("kept", "1"), "1") << "a variable has no memory of its own";
  EXPECT_EQ(registered("unsaved", "1", false), "1");
  h.console().executeConfigAtGameStart();
  EXPECT_EQ(h.console().findCvar("kept")->text(), "57");
  EXPECT_EQ(h.console().findCvar("unsaved")->text(), "1");
}

TEST_F(ConfigFileTest, ValuesOfVariablesNotRegisteredInThisRunAreKept) {
  writeFile(configFile(), "other \"hello world\"\nmine \"1\"\n");
  auto& h = startHost();
  registered("mine", "0");
  h.console().findCvar("mine")->setText("2");
  h.console().executeCommand("writeconfig");
  EXPECT_EQ(readFile(configFile()), "mine \"2\"\nother \"hello world\"\n");
}

TEST_F(ConfigFileTest, WritingReplacesTheFileWithoutLeavingATemporaryBehind) {
  auto& h = startHost();
  registered("a", "1");
  h.console().executeCommand("writeconfig");
  h.console().executeCommand("writeconfig");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(configFile().parent_path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"config.cfg"});
  EXPECT_EQ(std::count(h.console().executedCommands().begin(), h.console().executedCommands().end(),
                       "writeconfig"),
            2);
}

TEST_F(ConfigFileTest, QuotesAndBackslashesInValuesSurviveTheRoundTrip) {
  const std::string tricky = R"(say "hi" C:\dir\ end\)";
  writeConfig(configFile(), {{"tricky", tricky}, {"empty", ""}});
  const auto values = readConfig(configFile(), {});
  EXPECT_EQ(values.at("tricky"), tricky);
  EXPECT_EQ(values.at("empty"), "");
}

TEST_F(ConfigFileTest, MalformedLinesAreWarnedAboutAndSkipped) {
  writeFile(configFile(),
            "good \"1\"\n"
            "noquotes 2\n"
            "\n"
            "\"x\"\n"
            "unterminated \"3\n"
            "junk \"4\" after\n"
            "crlf \"5\"\r\n"
            "  \t\n"
            "described \"7\" //what it is \"for\"\n"
            "last \"6\"");
  auto& h = startHost();
  EXPECT_TRUE(warnings.empty()) << "told when the file is executed";
  h.console().executeConfigAtGameStart();
  EXPECT_EQ(h.console().storedValues(),
            (StoredValues{{"good", "1"}, {"crlf", "5"}, {"described", "7"}, {"last", "6"}}));
  ASSERT_EQ(warnings.size(), 4U);
  const auto prefix = configFile().string() + ":";
  EXPECT_EQ(warnings[0].rfind(prefix + "2: ", 0), 0U) << warnings[0];
  EXPECT_EQ(warnings[1].rfind(prefix + "4: ", 0), 0U) << warnings[1];
  EXPECT_EQ(warnings[2].rfind(prefix + "5: ", 0), 0U) << warnings[2];
  EXPECT_EQ(warnings[3].rfind(prefix + "6: ", 0), 0U) << warnings[3];
}

TEST_F(ConfigFileTest, AMissingFileIsAnEmptyConfiguration) {
  auto& h = startHost();
  EXPECT_TRUE(h.console().storedValues().empty());
  EXPECT_EQ(registered("fresh", "12"), "12");
  EXPECT_TRUE(warnings.empty());
}

TEST_F(ConfigFileTest, RegisteringAnExistingNameKeepsItsCurrentValue) {
  auto& h = startHost();
  EXPECT_EQ(registered("twice", "1"), "1");
  h.console().findCvar("twice")->setText("8");
  EXPECT_EQ(registered("twice", "1"), "8");
}

TEST_F(ConfigFileTest, AnUnwritableFileIsWarnedAboutWithoutStoppingTheHost) {
  writeFile(folder.path() / "blocker", "a file where a folder should be");
  host = std::make_unique<Host>(
      HostOptions{folder.path(), folder.path() / "blocker" / "config.cfg",
                  [this](const std::string& line) { warnings.push_back(line); }});
  registered("a", "1");
  host->console().executeCommand("writeconfig");
  ASSERT_EQ(warnings.size(), 1U);
  EXPECT_NE(warnings[0].find("writeconfig"), std::string::npos);
  EXPECT_EQ(host->console().findCvar("a")->text(), "1");
}

TEST_F(ConfigFileTest, TheFirstFailedWriteIsKeptForTheExitStatus) {
  writeFile(folder.path() / "blocker", "a file where a folder should be");
  const auto config = folder.path() / "blocker" / "config.cfg";
  host = std::make_unique<Host>(HostOptions{
      folder.path(), config, [this](const std::string& line) { warnings.push_back(line); }});
  EXPECT_EQ(host->reports().firstIoFailure(), "");
  registered("a", "1");
  host->console().executeCommand("writeconfig");
  host->reports().ioFailed("a later failure");
  host->console().executeCommand("writeconfig");
  EXPECT_EQ(host->reports().firstIoFailure(),
            "writeconfig: cannot write " + config.string() + ": Not a directory");
  EXPECT_EQ(warnings.size(), 3U);
  EXPECT_EQ(warnings[1], "rafta-sim: a later failure");
}

// The configuration is the user's data: what cannot be read must not be replaced by what this run
// registers. Each of these fails even for root, whom permission bits do not stop.
TEST_F(ConfigFileTest, AConfigurationThatCannotBeReadStopsTheHostBeforeAnythingIsWritten) {
  const auto fifo = folder.path() / "fifo.cfg";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto loop = folder.path() / "loop.cfg";
  std::filesystem::create_symlink("loop.cfg", loop);
  const auto directory = folder.path() / "folder.cfg";
  std::filesystem::create_directory(directory);
  const std::vector<std::pair<std::filesystem::path, std::string>> unreadable{
      {directory, "the configuration file " + directory.string() +
                      " is a directory, not a regular file; it is left as it is"},
      {loop, "cannot read the configuration file " + loop.string() +
                 ": Too many levels of symbolic links; it is left as it is"},
      {"/proc/self/mem",
       "cannot read the configuration file /proc/self/mem: Input/output error; it is left as it "
       "is"},
      {fifo, "the configuration file " + fifo.string() +
                 " is a FIFO, not a regular file; it is left as it is"},
      {"/dev/zero",
       "the configuration file /dev/zero is a character device, not a regular file; it is left "
       "as it is"},
  };
  for (const auto& [file, message] : unreadable) {
    try {
      Host refused(HostOptions{folder.path(), file, {}});
      ADD_FAILURE() << file << " was taken for a configuration";
    } catch (const RunError& failure) {
      EXPECT_EQ(failure.code(), ExitCode::BadScript);
      EXPECT_EQ(failure.what(), message);
    }
  }
  EXPECT_TRUE(std::filesystem::is_directory(directory));
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

// What a device node at the path would get: root may make one anywhere.
TEST_F(ConfigFileTest, ADeviceNodeIsNeitherReadNorReplaced) {
  const auto node = folder.path() / "null.cfg";
  if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
    GTEST_SKIP() << "only root makes device nodes";
  }
  EXPECT_THROW(Host(HostOptions{folder.path(), node, {}}), RunError);
  EXPECT_TRUE(std::filesystem::is_character_file(node));
}

TEST_F(ConfigFileTest, WritingThroughALinkUpdatesItsTargetAndKeepsTheLink) {
  const auto real = folder.path() / "real";
  writeFile(real / "target.cfg", "other \"kept\"\n");
  std::filesystem::create_directories(configFile().parent_path());
  // A chain: a relative link to an absolute link to the file.
  std::filesystem::create_symlink(real / "target.cfg", real / "absolute.cfg");
  std::filesystem::create_symlink("../../../real/absolute.cfg", configFile());
  auto& h = startHost();
  EXPECT_EQ(registered("mine", "0"), "0");
  h.console().executeCommand("writeconfig");
  EXPECT_TRUE(std::filesystem::is_symlink(configFile()));
  EXPECT_TRUE(std::filesystem::is_symlink(real / "absolute.cfg"));
  EXPECT_EQ(readFile(real / "target.cfg"), "mine \"0\"\nother \"kept\"\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(real), {}), 2);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(configFile().parent_path()), {}), 1);
}

TEST_F(ConfigFileTest, WritingThroughADanglingLinkMakesItsTarget) {
  std::filesystem::create_directories(configFile().parent_path());
  std::filesystem::create_directories(folder.path() / "real");
  std::filesystem::create_symlink(folder.path() / "real" / "new.cfg", configFile());
  auto& h = startHost();
  (void)registered("mine", "3");
  h.console().executeCommand("writeconfig");
  EXPECT_TRUE(std::filesystem::is_symlink(configFile()));
  EXPECT_EQ(readFile(folder.path() / "real" / "new.cfg"), "mine \"3\"\n");
}

// The system follows 40 links to a file it reads: a configuration read through so many is written
// through as many, and one link more is refused before anything is written.
TEST_F(ConfigFileTest, TheHostWritesThroughAsManyLinksAsTheSystemReadsThrough) {
  const auto links = folder.path() / "links";
  writeFile(links / "target.cfg", "mine \"2\"\n");
  std::filesystem::path last = "target.cfg";
  for (int link = 1; link <= 41; ++link) {
    const auto name = "link" + std::to_string(link);
    std::filesystem::create_symlink(last, links / name);
    last = name;
  }
  host = std::make_unique<Host>(
      HostOptions{folder.path(), links / "link40",
                  [this](const std::string& line) { warnings.push_back(line); }});
  (void)registered("mine", "0");
  host->console().executeConfigAtGameStart();
  EXPECT_EQ(host->console().findCvar("mine")->text(), "2");
  host->console().findCvar("mine")->setText("3");
  host->console().executeCommand("writeconfig");
  EXPECT_EQ(warnings, std::vector<std::string>{});
  EXPECT_EQ(readFile(links / "target.cfg"), "mine \"3\"\n");
  EXPECT_THROW(Host(HostOptions{folder.path(), links / "link41", {}}), RunError);
}

TEST_F(ConfigFileTest, ARewriteKeepsTheFilesPermissionBits) {
  const auto mode = [](const std::filesystem::path& file) {
    struct stat info {};
    ::stat(file.c_str(), &info);
    return info.st_mode & 07777U;
  };
  auto& h = startHost();
  (void)registered("mine", "1");
  h.console().executeCommand("writeconfig");
  EXPECT_EQ(mode(configFile()), 0644U);  // a new file: readable by all, as before
  for (const unsigned bits : {0600U, 0640U, 0604U}) {
    ::chmod(configFile().c_str(), bits);
    h.console().executeCommand("writeconfig");
    EXPECT_EQ(mode(configFile()), bits);
  }
}

// A run killed between making its temporary and the rename leaves the temporary behind; a user's
// own files beside the configuration stay, whatever their names look like.
TEST_F(ConfigFileTest, OnlyTemporariesLeftByAKilledRunGoWithTheNextWrite) {
  const auto cfg = configFile().parent_path();
  const std::string ours = ".config.cfg.rafta-sim-temporary-";
  const std::vector<std::string> left{ours + "Ab12Cd", ours + "zzzzzz"};
  const std::vector<std::string> users{
      "config.cfg.tmp-backup",   "config.cfg.tmp-2024v1", "config.cfg.tmp-Ab12Cd",
      ours.substr(1) + "Ab12Cd", ours + "Ab12Cd7",        ".other.cfg.rafta-sim-temporary-Ab12Cd",
      "config.cfg.old"};
  for (const auto& name : left) {
    writeFile(cfg / name, "half a fi");
  }
  for (const auto& name : users) {
    writeFile(cfg / name, "not ours");
  }
  std::filesystem::create_directory(cfg / (ours + "folder"));
  auto& h = startHost();
  (void)registered("mine", "1");
  h.console().executeCommand("writeconfig");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(cfg)) {
    names.push_back(entry.path().filename().string());
  }
  auto kept = users;
  kept.insert(kept.end(), {"config.cfg", ours + "folder"});
  std::sort(names.begin(), names.end());
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(names, kept);
}

}  // namespace
}  // namespace rafta::sim
