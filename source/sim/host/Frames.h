#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "bakkesmod/wrappers/canvaswrapper.h"
#include "sim/canvas/Canvas.h"
#include "sim/game/Game.h"
#include "sim/host/CallbackList.h"
#include "sim/host/Reports.h"

namespace rafta::sim {

// The frames the host draws: each is a fresh canvas, at the game's screen size, that every
// registered drawable draws on in turn.
class Frames {
 public:
  using Drawable = std::function<void(CanvasWrapper)>;
  using FrameSink = std::function<void(const Canvas&)>;

  Frames(const Game& game, const Reports& reports, const CallbackOwner& owner);

  // What the canvas answers to GetStringSize; at start, the host's font.
  void setTextMeasure(TextMeasure measure);
  // Called with every frame once it is drawn.
  void setFrameSink(FrameSink sink);

  void registerDrawable(Drawable drawable);
  void unregisterDrawables();
  [[nodiscard]] std::size_t drawableCount() const;
  // The drawables a frame would call, for a caller that calls them on a canvas of its own (the
  // benchmarks, to leave the host's frame out of a figure).
  [[nodiscard]] std::vector<Drawable> drawables() const;

  void draw(int count);
  // The last drawn frame, or null before the first.
  [[nodiscard]] const Canvas* lastFrame() const;

  // The plugin is gone: its drawables are dropped uncalled, as the real host does.
  void clear();

 private:
  const Game& game_;
  const Reports& reports_;
  const CallbackOwner& owner_;
  CallbackList<Drawable> drawables_;
  TextMeasure textMeasure_;
  FrameSink frameSink_;
  std::unique_ptr<Canvas> lastFrame_;
};

}  // namespace rafta::sim
