#include "sim/host/Host.h"

#include <string>
#include <utility>

#include "sim/handles/Handles.h"

namespace rafta::sim {

Host::Host(HostOptions options)
    : folder_(hostFolder(options.appData)),
      reports_(std::move(options.warn)),
      faults_(behaviour_.faults),
      badCalls_(behaviour_),
      owner_(reports_),
      clock_(game_, reports_, owner_, addressOfObject(this)),
      console_(options.configFile.empty() ? defaultConfigFile(options.appData)
                                          : std::move(options.configFile),
               folder_ / "cfg", behaviour_, faults_, reports_, clock_),
      commands_(reports_, owner_),
      hooks_(reports_, owner_, addressOfObject(this)),
      frames_(game_, reports_, owner_),
      queries_(game_, faults_, reports_, badCalls_) {
  faults_.setTrace([this](const std::string& line) { reports_.trace(line); });
}

Host::~Host() = default;

// Not const: the handles let a plugin change the host.
// NOLINTBEGIN(readability-make-member-function-const)
std::shared_ptr<CVarManagerWrapper> Host::cvarManager() {
  return std::make_shared<CVarManagerWrapper>(addressOfObject(this));
}

std::shared_ptr<GameWrapper> Host::gameWrapper() {
  return std::make_shared<GameWrapper>(addressOfObject(this));
}
// NOLINTEND(readability-make-member-function-const)

Game& Host::game() { return game_; }

HostBehaviour& Host::behaviour() { return behaviour_; }

FaultInjector& Host::faults() { return faults_; }

void Host::setFaults(const FaultPlan& plan) {
  behaviour_.faults = plan;
  faults_.restart();
}

HostConsole& Host::console() { return console_; }

ConsoleCommands& Host::commands() { return commands_; }

Hooks& Host::hooks() { return hooks_; }

HostClock& Host::clock() { return clock_; }

Frames& Host::frames() { return frames_; }

GameQueries& Host::queries() { return queries_; }

BadCalls& Host::badCalls() { return badCalls_; }

Reports& Host::reports() { return reports_; }

const std::filesystem::path& Host::folder() const { return folder_; }

void Host::tieCallbacksTo(std::weak_ptr<const void> plugin) { owner_.tieTo(std::move(plugin)); }

void Host::dropCallbacks() {
  hooks_.clear();
  commands_.clear();
  frames_.clear();
  clock_.clear();
  owner_.untie();
}

void Host::forgetPlugin() {
  reports_.trace("remove the plugin's variables, commands and drawables");
  commands_.clear();
  frames_.clear();
  console_.removeAllCvars();
}

void Host::forgetAll() {
  reports_.trace("forget every variable, hook, timer and drawable");
  dropCallbacks();
  console_.restart(faults_.configGarbage());
}

}  // namespace rafta::sim
