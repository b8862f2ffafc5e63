#pragma once

#include <memory>
#include <string>
#include <vector>

#include "PluginNames.h"
#include "ReadyToCount.h"
#include "sim/run/Session.h"

namespace BakkesMod::Plugin {
class PluginSettingsWindow;
}

namespace rafta::testing {

using Strings = std::vector<std::string>;

// Script lines that type at the console: a variable's new value, or a command and its words.
inline std::string typed(const char* variable, const std::string& value) {
  return std::string("console ") + variable + " " + value + "\n";
}
inline std::string command(const char* name, const std::string& words = "") {
  return std::string("command ") + name + (words.empty() ? "" : " " + words) + "\n";
}

// The plugin linked into the test, hosted in-process by the simulated host and driven by session
// scripts. A test sees what the host sees: the log, the trace of the host's calls (hooks, timers,
// commands, queries, canvas calls), the console variables and the stored files.
class PluginHost {
 public:
  // The host's configuration file as the game finds it at start.
  explicit PluginHost(const std::string& configText = "");
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;
  ~PluginHost();

  // Plays the lines; a script that fails fails the test.
  void run(const std::string& script);
  // Plays the lines and gives the log lines they wrote.
  Strings linesOf(const std::string& script);
  // Plays the lines and gives the trace lines they wrote (without the "| ").
  Strings traceOf(const std::string& script);
  // Plays the lines and gives the game's questions asked meanwhile, by name.
  Strings queriesOf(const std::string& script);
  // Draws one frame after the lines and gives its canvas calls as the trace writes them, less the
  // measurement of the counter line that every frame starts with, and with the picture's file
  // name for its path.
  Strings frameOf(const std::string& script = "");

  [[nodiscard]] const Strings& log() const { return logLines; }
  [[nodiscard]] std::string lastLog() const;
  [[nodiscard]] const Strings& trace() const { return traceLines; }
  // What the host said on standard error about the script or the host.
  [[nodiscard]] const Strings& warnings() const { return warningLines; }
  // A console variable's value; "<unregistered>" when the host has none of that name.
  [[nodiscard]] std::string cvar(const std::string& name);
  // The value the host's configuration file holds; "<not stored>" when it holds none.
  [[nodiscard]] std::string stored(const std::string& name);
  // The plugin's own copy of its variables, as its file reads; empty when there is none.
  [[nodiscard]] std::string savedCopy();
  // How often the host was asked to write its configuration.
  [[nodiscard]] long commits() const;

  // Draws a frame after the lines and gives the counter line the overlay measured in it (every
  // style measures it); empty when nothing was drawn.
  std::string countersShown(const std::string& script = "");

  // A host that lost one of the plugin's variables, and one that has it again at its default.
  void dropVariable(const std::string& name);
  void registerVariable(const std::string& name, const std::string& defaultValue);

  // The loaded plugin's settings page, as the host's settings window holds it.
  [[nodiscard]] BakkesMod::Plugin::PluginSettingsWindow& page();
  // What the host keeps of the plugin object; the test may share it beyond unload, as a host may.
  [[nodiscard]] std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> object() const;
  // For the few host conditions no script line makes.
  [[nodiscard]] sim::Host& host();

 private:
  std::unique_ptr<sim::Session> session;
  Strings logLines;
  Strings traceLines;
  Strings warningLines;
};

}  // namespace rafta::testing
