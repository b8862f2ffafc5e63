#include "HostedPlugin.h"

#include <algorithm>
#include <cstdlib>

#include "sim/text/Text.h"

namespace rafta::testing {

HostedPlugin::HostedPlugin(const std::string& configText) {
  const std::filesystem::path& root = scratch.path();
  writeFile(sim::defaultConfigFile(root), configText);
  // Where the plugin's stand-in for the shell's folder query looks, as rafta-sim arranges it.
  setenv("APPDATA", root.c_str(), 1);  // NOLINT(concurrency-mt-unsafe): tests run one at a time
  simHost = std::make_unique<sim::Host>(sim::HostOptions{root, {}, {}});
  simHost->reports().setTraceSink([this](const std::string& line) { traced.push_back(line); });
  rafta = std::make_shared<Rafta>();
}

HostedPlugin::~HostedPlugin() {
  rafta.reset();
  simHost.reset();
}

void HostedPlugin::load() {
  rafta->cvarManager = simHost->cvarManager();
  rafta->gameWrapper = simHost->gameWrapper();
  rafta->onLoad();
}

void HostedPlugin::unload() { rafta->onUnload(); }

void HostedPlugin::destroy() { rafta.reset(); }

std::vector<std::string> HostedPlugin::log() const {
  std::vector<std::string> lines;
  for (const std::string& line : simHost->console().logLines()) {
    lines.push_back(sim::windows1252ToUtf8(line));
  }
  return lines;
}

std::string HostedPlugin::lastLog() const {
  const std::vector<std::string> lines = log();
  return lines.empty() ? std::string() : lines.back();
}

std::string HostedPlugin::cvar(const std::string& name) const {
  const sim::ConsoleVariable* variable = simHost->console().findCvar(name);
  return variable == nullptr ? "<unregistered>" : variable->text();
}

std::string HostedPlugin::stored(const std::string& name) const {
  const auto& values = simHost->console().storedValues();
  const auto found = values.find(name);
  return found == values.end() ? "<not stored>" : found->second;
}

long HostedPlugin::commits() const {
  const auto& commands = simHost->console().executedCommands();
  return std::count(commands.begin(), commands.end(), "writeconfig");
}

}  // namespace rafta::testing
