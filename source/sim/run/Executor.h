#pragma once

#include <functional>
#include <memory>
#include <string>

#include "bakkesmod/plugin/bakkesmodplugin.h"
#include "sim/host/Host.h"
#include "sim/script/Commands.h"
#include "sim/text/Text.h"

namespace rafta::sim {

class RenderThread;
class SettingsWindow;

// What the script commands act on besides the host: the plugin's life as the session runs it, the
// settings window with the thread its pages are drawn on, the picture the next load installs,
// and where a warning about a script line goes.
struct ExecutorInputs {
  Host& host;
  std::function<void()> load;
  std::function<void()> unload;
  std::function<void(bool withoutUnload)> restart;
  // The loaded plugin object; null while none is.
  std::function<std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin>()> plugin;
  SettingsWindow& settingsWindow;
  RenderThread& renderThread;
  PictureMode& picture;
  TextSink warn;
};

// The script executor: what each script command does to the game, the host, the plugin's life and
// the settings window. Throws RunError.
class Executor {
 public:
  explicit Executor(ExecutorInputs inputs);

  void run(const ScriptCommand& command);

 private:
  ExecutorInputs in_;
};

}  // namespace rafta::sim
