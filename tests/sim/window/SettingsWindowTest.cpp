// The host's settings window driven through session scripts, with a page the test writes.
#include <gtest/gtest.h>

#include <imgui.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "bakkesmod/plugin/PluginSettingsWindow.h"

namespace rafta::sim {
namespace {

using testing::CapturedSession;
using testing::FakeLibrary;
using testing::ScratchFolder;

constexpr std::array<const char*, 5> kStyles{"Classique", "Minimaliste", "Large", "Sobre",
                                             "Tableau"};

// What the page's widgets did, kept across plugin objects.
struct PageLog {
  std::vector<std::string> calls;
  std::vector<std::uintptr_t> contexts;
  bool checked = false;
  int pages = 0;
  std::vector<int> resetPages;
  int otherPresses = 0;
  float x = 0.0F;
  std::vector<float> xChanges;
  int style = 0;
  int choices = 0;
  bool throwing = false;
};

class PagePlugin : public BakkesMod::Plugin::BakkesModPlugin,
                   public BakkesMod::Plugin::PluginSettingsWindow {
 public:
  explicit PagePlugin(PageLog& log) : log_(log) {}

  void RenderSettings() override {
    log_.calls.emplace_back("page");
    ++log_.pages;
    if (log_.throwing) {
      throw std::runtime_error("the page broke");
    }
    ImGui::Text("Settings of the test page");
    ImGui::Checkbox(" Counting on", &log_.checked);
    ImGui::SameLine();
    if (ImGui::Button("Reset")) {
      log_.resetPages.push_back(log_.pages);
    }
    ImGui::SameLine();
    if (ImGui::Button("Other")) {
      ++log_.otherPresses;
    }
    if (ImGui::SliderFloat("Position X", &log_.x, 0.0F, 1920.0F, "%.0f", 1.0F)) {
      log_.xChanges.push_back(log_.x);
    }
    if (ImGui::Combo("##overlay_style", &log_.style, kStyles.data(),
                     static_cast<int>(kStyles.size()))) {
      ++log_.choices;
    }
  }

  std::string GetPluginName() override { return "Test page"; }

  void SetImGuiContext(std::uintptr_t context) override {
    log_.calls.emplace_back("context");
    log_.contexts.push_back(context);
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the host hands the context over as a number.
    ImGui::SetCurrentContext(reinterpret_cast<ImGuiContext*>(context));
  }

 private:
  PageLog& log_;
};

class SettingsWindowTest : public ::testing::Test {
 protected:
  CapturedSession& start(SessionOptions options = {}) {
    options.appData = folder.path() / "appdata";
    session = std::make_unique<CapturedSession>(
        std::make_unique<FakeLibrary>(journal,
                                      [this] { return std::make_shared<PagePlugin>(log); }),
        options);
    return *session;
  }

  RunResult run(const std::string& script) { return session->run("picture absent\n" + script); }

  ScratchFolder folder;
  FakeLibrary::Journal journal;
  PageLog log;
  std::unique_ptr<CapturedSession> session;
};

TEST_F(SettingsWindowTest, EachLoadedObjectGetsTheContextBeforeItsFirstPage) {
  start();
  ASSERT_EQ(run("load\nsettings 0\nsettings 2\nsettings\nrestart\nsettings\n").code, ExitCode::Ok);
  EXPECT_EQ(log.calls,
            (std::vector<std::string>{"context", "page", "page", "page", "context", "page"}));
  ASSERT_EQ(log.contexts.size(), 2U);
  EXPECT_NE(log.contexts[0], 0U);
  EXPECT_EQ(log.contexts[0], log.contexts[1]);
}

TEST_F(SettingsWindowTest, ThePageNeedsALoadedPluginThatHasOne) {
  start();
  const auto none = run("settings\n");
  EXPECT_EQ(none.code, ExitCode::BadScript);
  EXPECT_EQ(none.message, "test.scn:2: settings: no plugin is loaded");
  EXPECT_EQ(run("load\nunload\ntoggle \" Counting on\"\n").code, ExitCode::BadScript);

  FakeLibrary::Journal otherJournal;
  CapturedSession pageless(
      std::make_unique<FakeLibrary>(otherJournal, testing::ScriptedPlugin::Action{}));
  const auto result = pageless.run("picture absent\nload\nclick Reset\n");
  EXPECT_EQ(result.code, ExitCode::BadScript);
  EXPECT_EQ(result.message, "test.scn:3: click: the plugin has no settings page");
}

TEST_F(SettingsWindowTest, ToggleFlipsTheCheckboxAndClickPressesTheButtonOnce) {
  start();
  ASSERT_EQ(run("load\nsettings\nclick Other\n").code, ExitCode::Ok);
  EXPECT_EQ(log.otherPresses, 1);
  ASSERT_EQ(run("toggle \" Counting on\"\n").code, ExitCode::Ok);
  EXPECT_TRUE(log.checked);
  ASSERT_EQ(run("toggle \" Counting on\"\n").code, ExitCode::Ok);
  EXPECT_FALSE(log.checked);

  ASSERT_EQ(run("click Reset\n").code, ExitCode::Ok);
  ASSERT_EQ(log.resetPages.size(), 1U);
  EXPECT_EQ(log.resetPages[0], log.pages);
  EXPECT_EQ(log.otherPresses, 1);
  ASSERT_EQ(run("click Reset\nclick Other\n").code, ExitCode::Ok);
  EXPECT_EQ(log.resetPages.size(), 2U);
  EXPECT_EQ(log.otherPresses, 2);
  EXPECT_FALSE(log.checked);
}

TEST_F(SettingsWindowTest, LabelsThatAreNotOnThePageAreScriptErrors) {
  start();
  const auto blank = run("load\ntoggle \"Counting on\"\n");
  EXPECT_EQ(blank.code, ExitCode::BadScript);
  EXPECT_EQ(blank.message, "test.scn:3: toggle: the settings page has no widget \"Counting on\"");
  EXPECT_EQ(run("click Resets\n").code, ExitCode::BadScript);
  const auto slider = run("slide \"Position Y\" 5\n");
  EXPECT_EQ(slider.code, ExitCode::BadScript);
  EXPECT_NE(slider.message.find("no slider \"Position Y\""), std::string::npos);
  const auto item = run("choose Baroque\n");
  EXPECT_EQ(item.code, ExitCode::BadScript);
  EXPECT_EQ(item.message, "test.scn:2: choose: the style combo has no item \"Baroque\"");
  EXPECT_EQ(log.choices, 0);
  EXPECT_FALSE(log.checked);
  EXPECT_TRUE(log.resetPages.empty());
  // The list that did not have the item was closed: the next choice works.
  ASSERT_EQ(run("choose Large\n").code, ExitCode::Ok);
  EXPECT_EQ(log.style, 2);
}

TEST_F(SettingsWindowTest, ASliderEndsHoldingExactlyTheValue) {
  start();
  ASSERT_EQ(run("load\nslide \"Position X\" 250.5\n").code, ExitCode::Ok);
  EXPECT_EQ(log.x, 250.5F);
  // The mouse took it near the value before the typing made it exact.
  ASSERT_GE(log.xChanges.size(), 2U);
  EXPECT_NEAR(log.xChanges[log.xChanges.size() - 2], 250.5F, 5.0F);
  for (const double value : {1777.0, 0.0, 1920.0, 960.25}) {
    ASSERT_EQ(run("slide \"Position X\" " + std::to_string(value) + "\n").code, ExitCode::Ok);
    EXPECT_EQ(log.x, static_cast<float>(value));
  }
}

TEST_F(SettingsWindowTest, ASliderTakesValuesBeyondItsRangeFromTheKeyboard) {
  start();
  ASSERT_EQ(run("load\nslide \"Position X\" 2500\n").code, ExitCode::Ok);
  EXPECT_EQ(log.x, 2500.0F);
  ASSERT_EQ(run("slide \"Position X\" -3\n").code, ExitCode::Ok);
  EXPECT_EQ(log.x, -3.0F);
}

TEST_F(SettingsWindowTest, SlidingAButtonIsRefusedWithoutPressingIt) {
  start();
  const auto result = run("load\nslide Reset 5\n");
  EXPECT_EQ(result.code, ExitCode::BadScript);
  EXPECT_EQ(result.message, "test.scn:3: slide: the widget \"Reset\" is no slider");
  EXPECT_TRUE(log.resetPages.empty());
  ASSERT_EQ(run("click Reset\n").code, ExitCode::Ok);
  EXPECT_EQ(log.resetPages.size(), 1U);
}

TEST_F(SettingsWindowTest, ChooseClicksTheItemWithThatTextEvenTheCurrentOne) {
  start();
  ASSERT_EQ(run("load\nchoose Sobre\n").code, ExitCode::Ok);
  EXPECT_EQ(log.style, 3);
  EXPECT_EQ(log.choices, 1);
  ASSERT_EQ(run("choose Sobre\nchoose Tableau\nchoose Classique\n").code, ExitCode::Ok);
  EXPECT_EQ(log.style, 0);
  EXPECT_EQ(log.choices, 4);
}

TEST_F(SettingsWindowTest, APageThatThrowsStopsTheScriptAndTheNextPageStillDraws) {
  start();
  log.throwing = true;
  const auto result = run("load\nsettings\n");
  EXPECT_EQ(result.code, ExitCode::BadScript);
  EXPECT_NE(result.message.find("the page broke"), std::string::npos);
  log.throwing = false;
  ASSERT_EQ(run("toggle \" Counting on\"\n").code, ExitCode::Ok);
  EXPECT_TRUE(log.checked);
}

std::uint32_t bigEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value = (value << 8U) | static_cast<std::uint8_t>(bytes[at + i]);
  }
  return value;
}

int picturesOf(const std::filesystem::path& folder, const std::string& kind) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    count += entry.path().filename().string().starts_with(kind + "-") ? 1 : 0;
  }
  return count;
}

TEST_F(SettingsWindowTest, EveryDrawnPageIsAPictureNumberedApartFromFrames) {
  SessionOptions options;
  options.pictureFolder = folder.path() / "pictures";
  start(options);
  ASSERT_EQ(run("load\nsettings 2\nframe\n").code, ExitCode::Ok);
  const auto pictures = folder.path() / "pictures";
  const auto second = testing::readFile(pictures / "settings-0002.png");
  ASSERT_GE(second.size(), 24U);
  EXPECT_EQ(bigEndian(second, 16), 800U);
  EXPECT_EQ(bigEndian(second, 20), 480U);
  EXPECT_EQ(picturesOf(pictures, "settings"), 2);
  EXPECT_EQ(picturesOf(pictures, "frame"), 1);
  ASSERT_EQ(run("click Reset\n").code, ExitCode::Ok);
  EXPECT_EQ(picturesOf(pictures, "settings"), log.pages);
  EXPECT_EQ(picturesOf(pictures, "frame"), 1);
}

}  // namespace
}  // namespace rafta::sim
