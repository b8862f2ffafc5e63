#pragma once

#include <functional>
#include <memory>
#include <string>

#include "sim/host/Host.h"
#include "sim/host/PluginModule.h"
#include "sim/script/Commands.h"
#include "sim/text/Text.h"

namespace rafta::sim {

class RenderThread;
class SettingsWindow;

// What the script commands act on besides the host: the plugin module, what the host makes ready
// before each load, the settings window with the thread its pages are drawn on, and where a
// warning about a script line goes.
struct ExecutorInputs {
  Host& host;
  PluginModule& module;
  std::function<void()> prepareLoad;
  SettingsWindow& settingsWindow;
  RenderThread& renderThread;
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
