#include "sim/run/Executor.h"

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

#include "GameFunctions.h"
#include "sim/errors/Errors.h"
#include "sim/script/Checks.h"
#include "sim/script/Commands.h"
#include "sim/window/RenderThread.h"
#include "sim/window/SettingsWindow.h"
#include "sim/window/SettingsWindowUser.h"

namespace rafta::sim {
namespace {

// One script command, by its kind.
struct Visit {
  ExecutorInputs& in;

  [[nodiscard]] Game& game() const { return in.host.game(); }

  void operator()(const script::State& c) const {
    for (const auto& [flag, on] : c.changes) {
      game().setFlag(flag, on);
    }
  }
  void operator()(const script::CarSetup& c) const {
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
  void operator()(const script::BallSetup& c) const {
    if (c.pos) {
      game().ball().location = *c.pos;
    }
    if (c.vel) {
      game().ball().velocity = *c.vel;
    }
  }
  void operator()(const script::SecondsElapsed& c) const { game().setSecondsElapsed(c.seconds); }
  void operator()(const script::Screen& c) const { game().setScreenSize(c.size); }
  void operator()(const script::Behaviour& c) const { c.set(in.host); }
  // The settings window meets each new plugin object as the host's does: it hands it the
  // context before its first page.
  void operator()(const script::Load& /*c*/) const {
    in.module.load(in.prepareLoad);
    in.settingsWindow.meetNewPlugin();
  }
  void operator()(const script::Unload& /*c*/) const { in.module.unload(); }
  void operator()(const script::Restart& c) const {
    in.module.restart(c.withoutUnload, in.prepareLoad);
    in.settingsWindow.meetNewPlugin();
  }
  void operator()(const script::Event& c) const { in.host.hooks().fire(c.function, 0); }
  void operator()(const script::Touch& c) const {
    in.host.hooks().fire(std::string(game::kOnHitBall), callerAddress(c.caller));
  }
  void operator()(const script::Hit& c) const {
    in.host.hooks().fire(std::string(game::kTriggerHit), callerAddress(c.caller));
  }
  void operator()(const script::Wait& c) const { in.host.clock().wait(c.seconds); }
  void operator()(const script::Frame& c) const { in.host.frames().draw(c.count); }
  // A console answers a name it does not know on its own output, not in the plugin's log.
  void operator()(const script::TypeCommand& c) const {
    if (!in.host.console().runHostCommand(c.words) && !in.host.commands().type(c.words)) {
      in.warn("command: no console command " + c.words.front() + " is registered");
    }
  }
  void operator()(const script::Console& c) const {
    if (!in.host.console().consoleSet(c.name, c.value)) {
      in.warn("console: no console variable " + c.name + " is registered; nothing changed");
    }
  }
  void operator()(const script::DrawPage& c) const {
    onRenderThread("settings", [&](SettingsWindowUser& user) { user.look(c.count); });
  }
  // Whether or not the plugin has a page, and whether or not one was drawn.
  void operator()(const script::CloseSettingsWindow& /*c*/) const {
    in.host.console().writeConfigFile();
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
  void operator()(const script::Drag& c) const {
    onRenderThread("drag", [&](SettingsWindowUser& user) { user.drag(c.label, c.fractions); });
  }
  void operator()(const script::Choose& c) const {
    onRenderThread("choose", [&](SettingsWindowUser& user) { user.choose(c.item); });
  }
  template <typename Check>
  void operator()(const Check& check) const {
    Checks{in.host}(check);
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
    return std::holds_alternative<script::GoalFrameCaller>(caller) ? game().goalFrameAddress() : 0;
  }

  // Someone at the settings window, working the loaded plugin's page for that script command.
  [[nodiscard]] SettingsWindowUser settingsUser(const std::string& command) const {
    const auto plugin = in.module.plugin();
    if (!plugin) {
      throw ScriptError(command + ": no plugin is loaded");
    }
    auto* page = dynamic_cast<BakkesMod::Plugin::PluginSettingsWindow*>(plugin.get());
    if (page == nullptr) {
      throw ScriptError(command + ": the plugin has no settings page");
    }
    return {in.settingsWindow, *page, command};
  }

  // The host draws the page on its render thread, as the real one does; the script waits.
  template <typename Gesture>
  void onRenderThread(const std::string& command, const Gesture& gesture) const {
    auto user = settingsUser(command);
    in.renderThread.run([&] { gesture(user); });
  }
};

}  // namespace

Executor::Executor(ExecutorInputs inputs) : in_(std::move(inputs)) {}

void Executor::run(const ScriptCommand& command) { std::visit(Visit{in_}, command); }

}  // namespace rafta::sim
