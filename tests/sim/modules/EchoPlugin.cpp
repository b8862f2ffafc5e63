// A minimal plugin module, written as a real one would be: enough to drive the host's loader,
// its life cycle and its output from outside the host's own code.
#include <cstdint>
#include <memory>
#include <string>

#include "PluginBase.h"

namespace {

// Module state: a fresh load of the module starts again from 0.
int created = 0;

class EchoPlugin final : public BakkesMod::Plugin::BakkesModPlugin {
 public:
  explicit EchoPlugin(int number) : number_(number) {}

  void onLoad() override {
    cvarManager->log("EchoPlugin charg\xE9 #" + std::to_string(number_));
    cvarManager->registerCvar("echo_value", "1", "a value to store", true, false, 0.0F, false, 0.0F,
                              true);
    gameWrapper->HookEventWithCaller<CarWrapper>(
        "Function TAGame.Car_TA.OnHitBall", [this](CarWrapper car, void*, const std::string&) {
          cvarManager->log("touch by " + car.GetPRI().GetUniqueIdWrapper().GetIdString());
        });
    gameWrapper->RegisterDrawable([this](CanvasWrapper canvas) {
      canvas.DrawString("echo " + std::to_string(number_), 1.0F, 1.0F);
    });
    gameWrapper->SetTimeout(
        [this](GameWrapper*) { cvarManager->log("timer of #" + std::to_string(number_)); }, 1.0F);
  }

  // Leaves its timer and drawable behind on purpose: the host must not call them once the
  // object is gone.
  void onUnload() override {
    gameWrapper->UnhookEvent("Function TAGame.Car_TA.OnHitBall");
    cvarManager->executeCommand("writeconfig", true);
    cvarManager->log(
        "EchoPlugin d\xE9"
        "charg\xE9");
  }

 private:
  int number_;
};

BakkesMod::Plugin::PluginHandle plugin;

}  // namespace

extern "C" {

std::uintptr_t getPlugin() {
  if (!plugin) {
    plugin = std::make_shared<EchoPlugin>(++created);
  }
  return reinterpret_cast<std::uintptr_t>(&plugin);
}

void deleteMe() { plugin.reset(); }

BakkesMod::Plugin::PluginInfo exports{95,    0, __FILE__, "EchoPlugin", "Echo Plugin",
                                      "1.0", 0, 0,        &getPlugin,   &deleteMe};
}
