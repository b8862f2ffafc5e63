#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Rafta.h"
#include "ReadyToCount.h"
#include "sim/run/Session.h"

namespace rafta::testing {

// Session scripts played in-process against the plugin linked into the test: the script sets the
// game up in a few lines, and the test reads the plugin's fields and the host's records directly.
class PluginScript {
 public:
  PluginScript();
  PluginScript(const PluginScript&) = delete;
  PluginScript& operator=(const PluginScript&) = delete;
  ~PluginScript();

  // Plays the lines; a script that fails fails the test.
  void run(const std::string& script);
  // Plays the lines and gives the log lines they wrote.
  std::vector<std::string> linesOf(const std::string& script);

  [[nodiscard]] sim::Host& host() { return session->host(); }
  [[nodiscard]] Rafta& plugin();
  [[nodiscard]] const std::vector<std::string>& log() const { return out; }
  // The game-wrapper questions asked while playing the lines.
  std::vector<std::string> queriesOf(const std::string& script);
  [[nodiscard]] long commits() const;

 private:
  std::vector<std::string> out;
  std::vector<std::string> err;
  std::unique_ptr<sim::Session> session;
};

}  // namespace rafta::testing
