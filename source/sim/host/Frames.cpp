#include "sim/host/Frames.h"

#include <utility>

#include "sim/canvas/HostFont.h"
#include "sim/handles/Handles.h"

namespace rafta::sim {

Frames::Frames(const Game& game, const Reports& reports, const CallbackOwner& owner)
    : game_(game),
      reports_(reports),
      owner_(owner),
      textMeasure_([](const std::string& text, float xScale, float yScale) {
        return HostFont::instance().measure(text, xScale, yScale);
      }) {}

void Frames::setTextMeasure(TextMeasure measure) { textMeasure_ = std::move(measure); }

void Frames::setFrameSink(FrameSink sink) { frameSink_ = std::move(sink); }

void Frames::registerDrawable(Drawable drawable) {
  reports_.trace("RegisterDrawable");
  drawables_.add(std::move(drawable), owner_.life());
}

void Frames::unregisterDrawables() {
  reports_.trace("UnregisterDrawables");
  drawables_.clear();
}

std::size_t Frames::drawableCount() const { return drawables_.size(); }

std::vector<Frames::Drawable> Frames::drawables() const { return drawables_.callable(); }

void Frames::draw(int count) {
  for (int frame = 0; frame < count; ++frame) {
    reports_.trace("frame");
    // Describing every canvas call costs more than the plugin's drawing: only for a reader.
    TextSink canvasTrace;
    if (reports_.tracing()) {
      canvasTrace = [this](const std::string& line) { reports_.trace(line); };
    }
    auto canvas =
        std::make_unique<Canvas>(game_.screenSize(), textMeasure_, std::move(canvasTrace));
    const auto address = addressOfObject(canvas.get());
    drawables_.invoke([&](const Drawable& drawable) { drawable(CanvasWrapper(address)); },
                      [&] { owner_.orphaned("a drawable"); });
    lastFrame_ = std::move(canvas);
    if (frameSink_) {
      frameSink_(*lastFrame_);
    }
  }
}

const Canvas* Frames::lastFrame() const { return lastFrame_.get(); }

void Frames::clear() { drawables_.clear(); }

}  // namespace rafta::sim
