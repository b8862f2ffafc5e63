#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "sim/errors/Errors.h"
#include "sim/host/Host.h"
#include "sim/host/PluginModule.h"
#include "sim/pictures/PictureFolder.h"
#include "sim/run/AppDataFolder.h"
#include "sim/run/GoalPicture.h"
#include "sim/script/Commands.h"

namespace rafta::sim {

class Executor;
class RenderThread;
class SettingsWindow;

struct SessionOptions {
  // Empty: a fresh folder, removed with the session.
  std::filesystem::path appData;
  // Empty: the default place under the application-data folder.
  std::filesystem::path configFile;
  // The goal picture that `picture present` installs.
  std::filesystem::path shippedPicture;
  // Where every drawn frame and settings page is written as a picture; empty: nowhere.
  std::filesystem::path pictureFolder;
  // Log lines as the plugin wrote them (Windows-1252) instead of UTF-8.
  bool raw = false;
  bool trace = false;
  // Wrong host answers from the start, as the `faults` command would arm them.
  std::optional<FaultPlan> faults;
  // Console lines (log and trace). Empty: standard output.
  TextSink out;
  // Warnings about the script and the host. Empty: standard error.
  TextSink err;
};

struct RunResult {
  ExitCode code = ExitCode::Ok;
  // What went wrong, as `SCRIPT:LINE: message`; empty on success.
  std::string message;
};

// One run of the simulated host: the host, the plugin library and the plugin object, driven by
// session scripts. When the session ends the host stops: it drops the plugin's callbacks, lets
// the plugin object go without unloading it (deleteMe, no onUnload), and closes the library.
class Session {
 public:
  Session(std::unique_ptr<PluginLibrary> library, SessionOptions options);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session();

  // Parses the whole script first; runs it only if it is well formed. May be called again to go
  // on with the same host and plugin.
  RunResult runFile(const std::filesystem::path& script);
  RunResult runText(std::string_view text, const std::string& scriptName = "script");

  [[nodiscard]] Host& host();
  // The host's share of the plugin object; null while none is loaded.
  [[nodiscard]] std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> plugin() const;
  [[nodiscard]] const std::filesystem::path& appData() const;

  // Each command is a game tick: it ends with what the plugin handed to Execute meanwhile.
  void execute(const ScriptCommand& command);

 private:
  void prepareLoad();
  void print(const std::string& line);
  // Standard output failed: told once, and the run ends with HostIoFailed.
  void checkOutput();
  void writePicture(const std::string& kind, const Image& image);
  // Once for each run of frames at a size too large to paint whole.
  void sayWhenCut(Vector2 reported);
  void warn(const std::string& message);

  SessionOptions options_;
  AppDataFolder appData_;
  Host host_;
  PluginModule module_;
  std::unique_ptr<PictureFolder> pictures_;
  std::unique_ptr<SettingsWindow> settingsWindow_;
  // Where every page of settingsWindow_ is drawn.
  std::unique_ptr<RenderThread> renderThread_;
  std::string scriptName_;
  int line_ = 0;
  bool outputFailed_ = false;
  Vector2 toldCut_{};
  std::unique_ptr<Executor> executor_;
};

}  // namespace rafta::sim
