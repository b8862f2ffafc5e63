// What the game calls back in the plugin: hooks, timers and drawables.
#include <sstream>
#include <stdexcept>
#include <utility>

#include "sim/base/Numbers.h"
#include "sim/host/Host.h"

namespace rafta::sim {
namespace {

std::string secondsText(std::int64_t micros) {
  std::ostringstream out;
  out << static_cast<double>(micros) / 1e6 << " s";
  return out.str();
}

std::string callerText(std::uintptr_t caller) {
  if (caller == 0) {
    return "null";
  }
  const auto* car = dynamic_cast<const Car*>(actorAt(caller));
  return car != nullptr ? "car " + car->name : "an unknown object";
}

}  // namespace

void Host::hookPlain(const std::string& function, PlainHook hook) {
  trace("HookEvent " + function);
  hooks_[function].add(std::move(hook), life_);
}

void Host::hookWithCaller(const std::string& function, CallerHook hook) {
  trace("HookEventWithCaller " + function);
  hooks_[function].add(std::move(hook), life_);
}

void Host::unhook(const std::string& function) {
  trace("UnhookEvent " + function);
  const auto found = hooks_.find(function);
  if (found != hooks_.end()) {
    found->second.clear();
    hooks_.erase(found);
  }
}

bool Host::isHooked(const std::string& function) const {
  const auto found = hooks_.find(function);
  return found != hooks_.end() && !found->second.empty();
}

void Host::fire(const std::string& function, std::uintptr_t caller) {
  const auto found = hooks_.find(function);
  const std::size_t count = found == hooks_.end() ? 0 : found->second.size();
  if (traceSink_) {
    trace("fire " + function + " caller " + callerText(caller) + ", " + std::to_string(count) +
          " hook(s)");
  }
  if (count == 0) {
    return;
  }
  const auto call = [&](const Hook& hook) {
    if (const auto* plain = std::get_if<PlainHook>(&hook)) {
      (*plain)(function);
    } else {
      std::get<CallerHook>(hook)(caller, nullptr, function);
    }
  };
  found->second.invoke(call, [&] { orphaned("a hook on " + function); });
}

double Host::time() const { return static_cast<double>(scheduler_.now()) / 1e6; }

void Host::setTimeout(Timer timer, float seconds) {
  const auto delay = toMicroseconds(seconds);
  trace("SetTimeout " + secondsText(delay));
  scheduler_.schedule(delay, TaskKind::Timer, [this, timer = std::move(timer), life = life_] {
    if (!life.alive()) {
      orphaned("a timer");
      return;
    }
    trace("timer fires");
    timer(&self_);
  });
}

std::size_t Host::pendingTimers() const { return scheduler_.pending(TaskKind::Timer); }

void Host::wait(double seconds) {
  const auto start = scheduler_.now();
  const auto startClock = game_.clock();
  const auto end = later(start, toMicroseconds(seconds));
  const auto moveTo = [&](std::int64_t time) {
    scheduler_.setNow(time);
    game_.setClock(startClock + static_cast<double>(time - start) / 1e6);
  };
  // A timer that re-arms itself without delay would hold time still for ever.
  constexpr int kMostAtOneInstant = 100000;
  int atThisInstant = 0;
  while (auto due = scheduler_.takeDue(end)) {
    atThisInstant = due->time == scheduler_.now() ? atThisInstant + 1 : 0;
    if (atThisInstant > kMostAtOneInstant) {
      throw std::runtime_error("wait: more than " + std::to_string(kMostAtOneInstant) +
                               " timers fell due at one instant; a timer keeps re-arming itself "
                               "without delay");
    }
    moveTo(due->time);
    due->task();
  }
  moveTo(end);
}

void Host::setTextMeasure(TextMeasure measure) { textMeasure_ = std::move(measure); }

void Host::setFrameSink(FrameSink sink) { frameSink_ = std::move(sink); }

void Host::registerDrawable(Drawable drawable) {
  trace("RegisterDrawable");
  drawables_.add(std::move(drawable), life_);
}

void Host::unregisterDrawables() {
  trace("UnregisterDrawables");
  drawables_.clear();
}

std::size_t Host::drawableCount() const { return drawables_.size(); }

void Host::drawFrames(int count) {
  for (int frame = 0; frame < count; ++frame) {
    trace("frame");
    // Describing every canvas call costs more than the plugin's drawing: only for a reader.
    std::function<void(const std::string&)> canvasTrace;
    if (traceSink_) {
      canvasTrace = [this](const std::string& line) { trace(line); };
    }
    auto canvas =
        std::make_unique<Canvas>(game_.screenSize(), textMeasure_, std::move(canvasTrace));
    const auto address = reinterpret_cast<std::uintptr_t>(canvas.get());
    drawables_.invoke([&](const Drawable& draw) { draw(CanvasWrapper(address)); },
                      [&] { orphaned("a drawable"); });
    lastFrame_ = std::move(canvas);
    if (frameSink_) {
      frameSink_(*lastFrame_);
    }
  }
}

const Canvas* Host::lastFrame() const { return lastFrame_.get(); }

void Host::dropCallbacks() {
  for (auto& [name, hooks] : hooks_) {
    hooks.clear();
  }
  hooks_.clear();
  drawables_.clear();
  scheduler_.clear();
  // The plugin's shares belong to its module: none may outlive a close of the library.
  life_ = Lifeline();
}

}  // namespace rafta::sim
