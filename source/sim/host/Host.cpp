#include "sim/host/Host.h"

#include <array>
#include <fstream>
#include <iostream>
#include <utility>

#include "sim/canvas/HostFont.h"

namespace rafta::sim {

std::string_view queryName(Query query) {
  constexpr std::array<std::string_view, 7> names{
      "IsInGame",    "IsInReplay",   "IsInFreeplay", "IsInCustomTraining", "GetCurrentGameState",
      "GetLocalCar", "GetScreenSize"};
  return names.at(static_cast<std::size_t>(query));
}

std::filesystem::path defaultConfigFile(const std::filesystem::path& appData) {
  return appData / "bakkesmod" / "bakkesmod" / "cfg" / "config.cfg";
}

Host::Host(HostOptions options)
    : configFile_(options.configFile.empty() ? defaultConfigFile(options.appData)
                                             : std::move(options.configFile)),
      warn_(std::move(options.warn)),
      self_(reinterpret_cast<std::uintptr_t>(this)),
      textMeasure_([](const std::string& text, float xScale, float yScale) {
        return HostFont::instance().measure(text, xScale, yScale);
      }) {
  faults_.setTrace([this](const std::string& line) { trace(line); });
  readStored();
}

Host::~Host() = default;

std::shared_ptr<CVarManagerWrapper> Host::cvarManager() {
  return std::make_shared<CVarManagerWrapper>(reinterpret_cast<std::uintptr_t>(this));
}

std::shared_ptr<GameWrapper> Host::gameWrapper() {
  return std::make_shared<GameWrapper>(reinterpret_cast<std::uintptr_t>(this));
}

void Host::tieCallbacksTo(std::weak_ptr<const void> plugin) { life_ = Lifeline(std::move(plugin)); }

Game& Host::game() { return game_; }

FaultInjector& Host::faults() { return faults_; }

bool Host::ask(Query query) {
  bool answer = false;
  switch (query) {
    case Query::IsInGame:
      answer = game_.flag(GameFlag::InGame);
      break;
    case Query::IsInReplay:
      answer = game_.flag(GameFlag::Replay);
      break;
    case Query::IsInFreeplay:
      answer = game_.flag(GameFlag::Freeplay);
      break;
    case Query::IsInCustomTraining:
      answer = game_.flag(GameFlag::Training);
      break;
    default:
      break;
  }
  answer = faults_.flag(answer, queryName(query));
  note(query, [&] { return std::string(answer ? "1" : "0"); });
  return answer;
}

std::uintptr_t Host::askGameState() {
  const auto address = faults_.handle(game_.stateAddress(), "GetCurrentGameState");
  note(Query::GetCurrentGameState,
       [&] { return std::string(address != 0 ? "the game state" : "null"); });
  return address;
}

std::uintptr_t Host::askLocalCar() {
  const auto address = faults_.handle(game_.localCarAddress(), "GetLocalCar");
  note(Query::GetLocalCar, [&] { return address != 0 ? "car " + game_.localCar()->name : "null"; });
  return address;
}

Vector2 Host::askScreenSize() {
  const auto size = faults_.screen(game_.screenSize());
  note(Query::GetScreenSize, [&] { return std::to_string(size.X) + " " + std::to_string(size.Y); });
  return size;
}

const std::vector<Query>& Host::queries() const { return queries_.entries(); }

void Host::clearQueries() { queries_.clear(); }

void Host::note(Query query, const std::function<std::string()>& answer) {
  queries_.add(query);
  // Plugins ask every frame: the line is only worth making for someone reading it.
  if (traceSink_) {
    trace("query " + std::string(queryName(query)) + " -> " + answer());
  }
}

void Host::log(const std::string& line) {
  log_.add(line);
  if (logSink_) {
    logSink_(line);
  }
}

const std::vector<std::string>& Host::logLines() const { return log_.entries(); }

void Host::setLogSink(TextSink sink) { logSink_ = std::move(sink); }

void Host::setTraceSink(TextSink sink) { traceSink_ = std::move(sink); }

void Host::trace(const std::string& line) const {
  if (traceSink_) {
    traceSink_(line);
  }
}

void Host::warn(const std::string& message) const {
  if (warn_) {
    warn_(message);
  } else {
    std::cerr << message << '\n';
  }
}

void Host::ioFailed(const std::string& what) {
  warn("rafta-sim: " + what);
  if (firstIoFailure_.empty()) {
    firstIoFailure_ = what;
  }
}

const std::string& Host::firstIoFailure() const { return firstIoFailure_; }

void Host::orphaned(const std::string& what) const {
  warn("rafta-sim: " + what + " not called: the plugin object that set it no longer exists");
}

void Host::forgetAll() {
  trace("forget every variable, hook, timer and drawable");
  dropCallbacks();
  variables_.clear();
  const std::string garbage = faults_.configGarbage();
  if (!garbage.empty()) {
    std::error_code ignored;
    std::filesystem::create_directories(configFile_.parent_path(), ignored);
    std::ofstream(configFile_, std::ios::binary | std::ios::app) << garbage;
  }
  readStored();
}

}  // namespace rafta::sim
