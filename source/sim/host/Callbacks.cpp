#include "sim/host/Callbacks.h"

#include <sstream>
#include <stdexcept>
#include <utility>

#include "sim/base/Handles.h"
#include "sim/base/Numbers.h"
#include "sim/canvas/HostFont.h"

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

Callbacks::Callbacks(Game& game, Reports& reports, Scheduler& clock, std::uintptr_t hostAddress)
    : game_(game),
      reports_(reports),
      clock_(clock),
      self_(hostAddress),
      textMeasure_([](const std::string& text, float xScale, float yScale) {
        return HostFont::instance().measure(text, xScale, yScale);
      }) {}

void Callbacks::tieTo(std::weak_ptr<const void> plugin) { life_ = Lifeline(std::move(plugin)); }

void Callbacks::orphaned(const std::string& what) const {
  reports_.warn("rafta-sim: " + what +
                " not called: the plugin object that set it no longer exists");
}

void Callbacks::hookPlain(const std::string& function, PlainHook hook) {
  reports_.trace("HookEvent " + function);
  hooks_[function].add(std::move(hook), life_);
}

void Callbacks::hookWithCaller(const std::string& function, CallerHook hook) {
  reports_.trace("HookEventWithCaller " + function);
  hooks_[function].add(std::move(hook), life_);
}

void Callbacks::unhook(const std::string& function) {
  reports_.trace("UnhookEvent " + function);
  const auto found = hooks_.find(function);
  if (found != hooks_.end()) {
    found->second.clear();
    hooks_.erase(found);
  }
}

bool Callbacks::isHooked(const std::string& function) const {
  const auto found = hooks_.find(function);
  return found != hooks_.end() && !found->second.empty();
}

void Callbacks::fire(const std::string& function, std::uintptr_t caller) {
  const auto found = hooks_.find(function);
  const std::size_t count = found == hooks_.end() ? 0 : found->second.size();
  if (reports_.tracing()) {
    reports_.trace("fire " + function + " caller " + callerText(caller) + ", " +
                   std::to_string(count) + " hook(s)");
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

double Callbacks::time() const { return static_cast<double>(clock_.now()) / 1e6; }

void Callbacks::setTimeout(Timer timer, float seconds) {
  const auto delay = toMicroseconds(seconds);
  reports_.trace("SetTimeout " + secondsText(delay));
  clock_.schedule(delay, TaskKind::Timer, [this, timer = std::move(timer), life = life_] {
    if (!life.alive()) {
      orphaned("a timer");
      return;
    }
    reports_.trace("timer fires");
    timer(&self_);
  });
}

std::size_t Callbacks::pendingTimers() const { return clock_.pending(TaskKind::Timer); }

void Callbacks::wait(double seconds) {
  const auto start = clock_.now();
  const auto startClock = game_.clock();
  const auto end = later(start, toMicroseconds(seconds));
  const auto moveTo = [&](std::int64_t time) {
    clock_.setNow(time);
    game_.setClock(startClock + static_cast<double>(time - start) / 1e6);
  };
  // A timer that re-arms itself without delay would hold time still for ever.
  constexpr int kMostAtOneInstant = 100000;
  int atThisInstant = 0;
  while (auto due = clock_.takeDue(end)) {
    atThisInstant = due->time == clock_.now() ? atThisInstant + 1 : 0;
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

void Callbacks::execute(Executed function) {
  const std::lock_guard lock(handedMutex_);
  handed_.push_back({std::move(function), life_});
}

void Callbacks::tick() {
  std::vector<Handed> due;
  {
    const std::lock_guard lock(handedMutex_);
    due.swap(handed_);
  }
  for (const auto& [function, life] : due) {
    if (life.alive()) {
      function(&self_);
    } else {
      orphaned("a function handed to Execute");
    }
  }
}

void Callbacks::setTextMeasure(TextMeasure measure) { textMeasure_ = std::move(measure); }

void Callbacks::setFrameSink(FrameSink sink) { frameSink_ = std::move(sink); }

void Callbacks::registerDrawable(Drawable drawable) {
  reports_.trace("RegisterDrawable");
  drawables_.add(std::move(drawable), life_);
}

void Callbacks::unregisterDrawables() {
  reports_.trace("UnregisterDrawables");
  drawables_.clear();
}

std::size_t Callbacks::drawableCount() const { return drawables_.size(); }

void Callbacks::drawFrames(int count) {
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
    drawables_.invoke([&](const Drawable& draw) { draw(CanvasWrapper(address)); },
                      [&] { orphaned("a drawable"); });
    lastFrame_ = std::move(canvas);
    if (frameSink_) {
      frameSink_(*lastFrame_);
    }
  }
}

const Canvas* Callbacks::lastFrame() const { return lastFrame_.get(); }

void Callbacks::registerNotifier(const std::string& name, Notifier notifier) {
  reports_.trace("registerNotifier " + name);
  auto& command = notifiers_[name];
  command.clear();
  command.add(std::move(notifier), life_);
}

bool Callbacks::removeNotifier(const std::string& name) {
  reports_.trace("removeNotifier " + name);
  const auto found = notifiers_.find(name);
  if (found == notifiers_.end()) {
    return false;
  }
  found->second.clear();
  notifiers_.erase(found);
  return true;
}

bool Callbacks::hasNotifier(const std::string& name) const { return notifiers_.contains(name); }

bool Callbacks::typeCommand(const std::vector<std::string>& words) {
  const auto found = words.empty() ? notifiers_.end() : notifiers_.find(words.front());
  if (found == notifiers_.end()) {
    return false;
  }
  reports_.trace("command " + words.front());
  found->second.invoke([&](const Notifier& notifier) { notifier(words); },
                       [&] { orphaned("the command " + words.front()); });
  return true;
}

void Callbacks::removeCommandsAndDrawables() {
  for (auto& [name, command] : notifiers_) {
    command.clear();
  }
  notifiers_.clear();
  drawables_.clear();
}

void Callbacks::dropAll() {
  for (auto& [name, hooks] : hooks_) {
    hooks.clear();
  }
  hooks_.clear();
  removeCommandsAndDrawables();
  clock_.clear();
  {
    const std::lock_guard lock(handedMutex_);
    handed_.clear();
  }
  // The plugin's shares belong to its module: none may outlive a close of the library.
  life_ = Lifeline();
}

}  // namespace rafta::sim
