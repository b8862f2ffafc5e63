// The script executor: what each script command does to the session.
#include <cstdint>
#include <string>
#include <variant>

#include "GameFunctions.h"
#include "sim/base/Errors.h"
#include "sim/run/Session.h"
#include "sim/script/Checks.h"
#include "sim/script/Script.h"
#include "sim/settings/RenderThread.h"
#include "sim/settings/SettingsWindow.h"
#include "sim/settings/SettingsWindowUser.h"

namespace rafta::sim {

// Runs one script command against the session: the game it sets up, the host it drives, the
// plugin's life and the settings window.
struct Executor {
  Session& session;

  [[nodiscard]] Game& game() const { return session.host_.game(); }

  void operator()(const script::State& c) const {
    for (const auto& [flag, on] : c.changes) {
      game().setFlag(flag, on);
    }
  }
  void operator()(const script::Car& c) const {
    auto& car = game().car(c.name);
    if (c.id) {
      car.player.id.text = *c.id;
    }
    if (c.team) {
      car.player.team = *c.team;
    }
    if (c.pri) {
      car.hasPlayer = *c.pri;
    }
  }
  void operator()(const script::Local& c) const {
    game().setLocalCar(c.car ? &namedCar(*c.car) : nullptr);
  }
  void operator()(const script::Ball& c) const {
    if (c.pos) {
      game().ball().location = *c.pos;
    }
    if (c.vel) {
      game().ball().velocity = *c.vel;
    }
  }
  void operator()(const script::Clock& c) const { game().setSecondsElapsed(c.seconds); }
  void operator()(const script::Screen& c) const { game().setScreenSize(c.size); }
  void operator()(const script::Picture& c) const { session.picture_ = c.mode; }
  void operator()(const script::ConfigDelay& c) const {
    session.host_.console().setConfigDelay(c.seconds);
  }
  void operator()(const script::ConfigUnknown& c) const {
    session.host_.console().setKeepUnknownLines(c.keep);
  }
  void operator()(const script::Load& /*c*/) const { session.load(); }
  void operator()(const script::Unload& /*c*/) const { session.unload(); }
  void operator()(const script::Restart& c) const { session.restart(c.withoutUnload); }
  void operator()(const script::Event& c) const { session.host_.hooks().fire(c.function, 0); }
  void operator()(const script::Touch& c) const {
    session.host_.hooks().fire(std::string(game::kOnHitBall), callerAddress(c.caller));
  }
  void operator()(const script::Hit& c) const {
    session.host_.hooks().fire(std::string(game::kTriggerHit), callerAddress(c.caller));
  }
  void operator()(const script::Wait& c) const { session.host_.clock().wait(c.seconds); }
  void operator()(const script::Frame& c) const { session.host_.frames().draw(c.count); }
  // A console answers a name it does not know on its own output, not in the plugin's log.
  void operator()(const script::TypeCommand& c) const {
    if (!session.host_.console().runHostCommand(c.words) &&
        !session.host_.commands().type(c.words)) {
      session.warn("command: no console command " + c.words.front() + " is registered");
    }
  }
  void operator()(const script::Console& c) const {
    if (!session.host_.console().consoleSet(c.name, c.value)) {
      session.warn("console: no console variable " + c.name + " is registered; nothing changed");
    }
  }
  void operator()(const script::Settings& c) const {
    onRenderThread("settings", [&](SettingsWindowUser& user) { user.look(c.count); });
  }
  // Whether or not the plugin has a page, and whether or not one was drawn.
  void operator()(const script::SettingsClose& /*c*/) const {
    session.host_.console().writeConfigFile();
  }
  void operator()(const script::Click& c) const {
    onRenderThread("click", [&](SettingsWindowUser& user) { user.click(c.label); });
  }
  void operator()(const script::Toggle& c) const {
    onRenderThread("toggle", [&](SettingsWindowUser& user) { user.click(c.label); });
  }
  void operator()(const script::Slide& c) const {
    onRenderThread("slide", [&](SettingsWindowUser& user) { user.slide(c.label, c.value); });
  }
  void operator()(const script::Choose& c) const {
    onRenderThread("choose", [&](SettingsWindowUser& user) { user.choose(c.item); });
  }
  void operator()(const script::Faults& c) const { session.host_.faults().arm(c.plan); }
  template <typename Check>
  void operator()(const Check& check) const {
    Checks{session.host_}(check);
  }

  [[nodiscard]] Car& namedCar(const std::string& name) const {
    auto* car = game().findCar(name);
    if (car == nullptr) {
      throw ScriptError("no car named " + name + " (make it with: car " + name + ")");
    }
    return *car;
  }

  [[nodiscard]] std::uintptr_t callerAddress(const script::Caller& caller) const {
    if (const auto* name = std::get_if<std::string>(&caller)) {
      return addressOf(&namedCar(*name));
    }
    return std::holds_alternative<script::LocalCaller>(caller) ? game().localCarAddress() : 0;
  }

  // Someone at the settings window, working the loaded plugin's page for that script command.
  [[nodiscard]] SettingsWindowUser settingsUser(const std::string& command) const {
    if (!session.plugin_) {
      throw ScriptError(command + ": no plugin is loaded");
    }
    auto* page = dynamic_cast<BakkesMod::Plugin::PluginSettingsWindow*>(session.plugin_.get());
    if (page == nullptr) {
      throw ScriptError(command + ": the plugin has no settings page");
    }
    return {*session.settingsWindow_, *page, command};
  }

  // The host draws the page on its render thread, as the real one does; the script waits.
  template <typename Gesture>
  void onRenderThread(const std::string& command, const Gesture& gesture) const {
    auto user = settingsUser(command);
    session.renderThread_->run([&] { gesture(user); });
  }
};

void Session::execute(const ScriptCommand& command) {
  std::visit(Executor{*this}, command);
  host_.hooks().tick();
}

}  // namespace rafta::sim
