#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "bakkesmod/plugin/bakkesmodplugin.h"
#include "sim/host/PluginLibrary.h"
#include "sim/run/Session.h"

namespace rafta::sim::testing {

using rafta::testing::readFile;
using rafta::testing::ScratchFolder;
using rafta::testing::writeFile;

// A valid 2 x 1 RGBA PNG picture.
[[nodiscard]] std::string tinyPng();

// A plugin whose load and unload do what the test says.
class ScriptedPlugin final : public BakkesMod::Plugin::BakkesModPlugin {
 public:
  using Action = std::function<void(ScriptedPlugin&)>;
  ScriptedPlugin(Action load, Action unload) : load_(std::move(load)), unload_(std::move(unload)) {}
  void onLoad() override;
  void onUnload() override;

 private:
  Action load_;
  Action unload_;
};

// An export record linked into the test, with a journal of what the host did with it.
class FakeLibrary : public PluginLibrary {
 public:
  struct Journal {
    std::vector<std::string> events;
    // Runs as the library closes, while the host still exists.
    std::function<void()> onClose;
  };

  // Makes the plugin object that getPlugin hands out.
  using Maker = std::function<rafta::sim::PluginHandle()>;

  FakeLibrary(Journal& journal, ScriptedPlugin::Action load, ScriptedPlugin::Action unload = {});
  FakeLibrary(Journal& journal, Maker make);
  FakeLibrary(const FakeLibrary&) = delete;
  FakeLibrary& operator=(const FakeLibrary&) = delete;
  ~FakeLibrary() override;

  BakkesMod::Plugin::PluginInfo& open() override;
  void close() override;

 private:
  static std::uintptr_t getPlugin();
  static void deleteMe();

  Journal& journal_;
  Maker make_;
  rafta::sim::PluginHandle handle_;
  BakkesMod::Plugin::PluginInfo info_{};
};

// A session whose console and warnings are kept for the test to read.
struct CapturedSession {
  CapturedSession(std::unique_ptr<PluginLibrary> library, SessionOptions options = {});

  RunResult run(const std::string& script) { return session->runText(script, "test.scn"); }

  std::vector<std::string> out;
  std::vector<std::string> err;
  std::unique_ptr<Session> session;
};

}  // namespace rafta::sim::testing
