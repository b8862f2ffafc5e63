// Compiles as a plugin written against the host interface would. Each REJECT_* case is a mistake
// that our host would let through if its declarations differed from the real host's: each must
// fail to compile, while the file without any of them compiles.
#include <cstdint>
#include <memory>
#include <string>

#include "bakkesmod/plugin/bakkesmodplugin.h"

// After bakkesmodplugin.h, which brings what it needs.
#include "bakkesmod/plugin/PluginSettingsWindow.h"

namespace {

class ShapePlugin : public BakkesMod::Plugin::BakkesModPlugin,
                    public BakkesMod::Plugin::PluginSettingsWindow {
 public:
  void onLoad() override {
    CVarWrapper total = cvarManager->getCvar("total");
    total.setValue(total.getIntValue() + 1);
    gameWrapper->HookEventWithCaller<CarWrapper>(
        "Function TAGame.Car_TA.OnHitBall",
        [this](CarWrapper car, void* /*params*/, std::string /*eventName*/) { Touch(car); });
    gameWrapper->RegisterDrawable([](CanvasWrapper canvas) { Draw(canvas); });
#if defined(REJECT_CONST_VARIABLE)
    const CVarWrapper stored = cvarManager->getCvar("total");
    (void)stored.getIntValue();
#endif
#if defined(REJECT_DEFAULT_VARIABLE)
    CVarWrapper none;
#endif
#if defined(REJECT_NON_OBJECT_CALLER)
    gameWrapper->HookEventWithCaller<int>("Function", [](int, void*, std::string){});
#endif
  }

  void RenderSettings() override {}
  std::string GetPluginName() override { return "Shape"; }
  void SetImGuiContext(std::uintptr_t /*ctx*/) override {}

 private:
#if defined(REJECT_CONST_CALLER)
  void Touch(const CarWrapper& car) { (void)car.GetPRI(); }
#else
  void Touch(CarWrapper car) { seen = !car.IsNull() && !car.GetPRI().IsNull(); }
#endif

  static void Draw(CanvasWrapper& canvas) {
    const LinearColor white(255.0F, 255.0F, 255.0F, 255.0F);
    canvas.SetColor(white);
    canvas.SetPosition(Vector2F{1.0F, 2.0F});
    canvas.DrawLine(Vector2{0, 0}, Vector2{4, 4});
#if defined(REJECT_BRACED_POSITION)
    canvas.SetPosition({1.0F, 2.0F});
#endif
#if defined(REJECT_CONSTEXPR_COLOUR)
    constexpr LinearColor black(0.0F, 0.0F, 0.0F, 255.0F);
#endif
#if defined(REJECT_IMAGE_COPY)
    ImageWrapper picture(std::string("goal.png"), true, false);
    ImageWrapper copy = picture;
#endif
#if defined(REJECT_HOST_ONLY_ACCESS)
    ImageWrapper picture(std::string("goal.png"), true, false);
    (void)picture.decoded;
#endif
  }

  bool seen = false;
};

#if defined(REJECT_HANDLE_ALIAS)
BakkesMod::Plugin::PluginHandle handle;
#endif

}  // namespace

#if defined(REJECT_TEN_FIELD_RECORD)
extern "C" BakkesMod::Plugin::PluginInfo record = {95,  0, "file", "Shape", "Shape",
                                                   "1", 0, 0,      nullptr, nullptr};
#endif

BAKKESMOD_PLUGIN(ShapePlugin, "Shape Plugin", "1.0", 0)
