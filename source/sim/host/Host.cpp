#include "sim/host/Host.h"

#include <string>
#include <utility>

#include "sim/base/Handles.h"

namespace rafta::sim {

Host::Host(HostOptions options)
    : folder_(hostFolder(options.appData)),
      reports_(std::move(options.warn)),
      console_(options.configFile.empty() ? defaultConfigFile(options.appData)
                                          : std::move(options.configFile),
               folder_ / "cfg", reports_, clock_),
      callbacks_(game_, reports_, clock_, addressOfObject(this)),
      queries_(game_, faults_, reports_) {
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

FaultInjector& Host::faults() { return faults_; }

HostConsole& Host::console() { return console_; }

Callbacks& Host::callbacks() { return callbacks_; }

GameQueries& Host::queries() { return queries_; }

Reports& Host::reports() { return reports_; }

const std::filesystem::path& Host::folder() const { return folder_; }

void Host::forgetPlugin() {
  reports_.trace("remove the plugin's variables, commands and drawables");
  callbacks_.removeCommandsAndDrawables();
  console_.removeAllCvars();
}

void Host::forgetAll() {
  reports_.trace("forget every variable, hook, timer and drawable");
  callbacks_.dropAll();
  console_.restart(faults_.configGarbage());
}

}  // namespace rafta::sim
