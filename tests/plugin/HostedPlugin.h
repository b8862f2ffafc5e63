#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Rafta.h"
#include "ScratchFolder.h"
#include "sim/host/Host.h"

namespace rafta::testing {

// A plugin object linked into the test, given to a simulated host as the real host would: the
// test reaches into both sides at will.
class HostedPlugin {
 public:
  explicit HostedPlugin(const std::string& configText = "");
  HostedPlugin(const HostedPlugin&) = delete;
  HostedPlugin& operator=(const HostedPlugin&) = delete;
  ~HostedPlugin();

  void load();
  void unload();
  // The host lets go of the object without unloading it.
  void destroy();

  [[nodiscard]] Rafta& plugin() { return *rafta; }
  [[nodiscard]] sim::Host& host() { return *simHost; }
  [[nodiscard]] std::weak_ptr<const bool> liveness() const { return rafta->liveness.load(); }

  // The console log in UTF-8, and what the host did, as its trace tells it.
  [[nodiscard]] std::vector<std::string> log() const;
  [[nodiscard]] std::string lastLog() const;
  [[nodiscard]] const std::vector<std::string>& trace() const { return traced; }
  void clearTrace() { traced.clear(); }
  [[nodiscard]] std::string cvar(const std::string& name) const;
  [[nodiscard]] std::string stored(const std::string& name) const;
  [[nodiscard]] long commits() const;

 private:
  ScratchFolder scratch;
  std::unique_ptr<sim::Host> simHost;
  std::shared_ptr<Rafta> rafta;
  std::vector<std::string> traced;
};

}  // namespace rafta::testing
