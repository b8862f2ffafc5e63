#include "sim/host/PluginModule.h"

#include <utility>

#include "sim/errors/Errors.h"
#include "sim/host/Host.h"

namespace rafta::sim {

PluginModule::PluginModule(Host& host, std::unique_ptr<PluginLibrary> library)
    : host_(host), library_(std::move(library)) {}

PluginModule::~PluginModule() {
  drop();
  library_->close();
}

std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> PluginModule::plugin() const { return plugin_; }

void PluginModule::load(const std::function<void()>& prepare) {
  if (plugin_) {
    throw ScriptError("load: the plugin is already loaded (unload or restart first)");
  }
  auto& info = library_->open();
  if (info.initializeFunc == nullptr || info.delFunc == nullptr) {
    throw ModuleError("the module's exports record has no getPlugin or deleteMe entry");
  }
  prepare();
  const auto address = info.initializeFunc();
  if (address == 0) {
    throw ModuleError("the module's getPlugin returned no plugin handle");
  }
  // getPlugin hands out the address of the module's plugin handle.
  // NOLINTNEXTLINE(performance-no-int-to-ptr)
  const auto& handle = *reinterpret_cast<const PluginHandle*>(address);
  if (!handle) {
    throw ModuleError("the module's getPlugin returned an empty plugin handle");
  }
  plugin_ = handle;
  deleteMe_ = info.delFunc;
  host_.tieCallbacksTo(plugin_);
  plugin_->cvarManager = host_.cvarManager();
  plugin_->gameWrapper = host_.gameWrapper();
  plugin_->onLoad();
  if (!std::exchange(gameRunning_, true)) {
    host_.console().executeConfigAtGameStart();
  }
}

void PluginModule::unload() {
  if (!plugin_) {
    throw ScriptError("unload: the plugin is not loaded");
  }
  plugin_->onUnload();
  plugin_.reset();
  std::exchange(deleteMe_, nullptr)();
  host_.forgetPlugin();
}

void PluginModule::restart(bool withoutUnload, const std::function<void()>& prepare) {
  if (plugin_ && !withoutUnload) {
    unload();
  }
  drop();
  host_.forgetAll();
  library_->close();
  gameRunning_ = false;
  load(prepare);
}

void PluginModule::drop() {
  host_.dropCallbacks();
  plugin_.reset();
  if (deleteMe_ != nullptr) {
    std::exchange(deleteMe_, nullptr)();
  }
}

}  // namespace rafta::sim
