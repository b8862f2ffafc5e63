#pragma once

#include <functional>
#include <memory>

#include "bakkesmod/plugin/bakkesmodplugin.h"
#include "sim/host/PluginLibrary.h"

namespace rafta::sim {

class Host;

// The plugin module the host loads, and the object it gets from it: the module's life, beside the
// object's that Host keeps (whose callbacks are whose). As the real host does, a load reads the
// module's exports, calls getPlugin, fills the handles and calls onLoad, and at a game start then
// executes the configuration file; an unload calls onUnload and deleteMe, and removes what the
// plugin registered; a restart forgets everything and closes the module before it loads again.
// Every operation throws RunError.
//
//   module.load(installWhatThePluginReads);
class PluginModule {
 public:
  PluginModule(Host& host, std::unique_ptr<PluginLibrary> library);
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;
  // The host stops, as when the game exits: the object goes without onUnload, the module closes.
  ~PluginModule();

  // `prepare` runs once the module is open, before getPlugin: what the host makes ready for the
  // plugin to find.
  void load(const std::function<void()>& prepare);
  void unload();
  // With `withoutUnload` the game exits as it may when the player quits: no onUnload.
  void restart(bool withoutUnload, const std::function<void()>& prepare);

  // The host's share of the plugin object; null while none is loaded.
  [[nodiscard]] std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> plugin() const;

 private:
  // The host lets the object go without unloading it.
  void drop();

  Host& host_;
  std::unique_ptr<PluginLibrary> library_;
  std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> plugin_;
  void (*deleteMe_)() = nullptr;
  // The game has started: a load from now on is a player's, and the host executes nothing.
  bool gameRunning_ = false;
};

}  // namespace rafta::sim
