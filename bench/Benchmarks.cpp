// The plugin's hot paths as the host drives them, each beside an empty callback on the same host
// so that the host's own share of a figure shows.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "GameFunctions.h"
#include "PluginNames.h"
#include "Rafta.h"
#include "ReadyToCount.h"
#include "sim/canvas/Canvas.h"
#include "sim/host/Frames.h"
#include "sim/run/GoalPicture.h"
#include "sim/run/Session.h"

namespace rafta::bench {
namespace {

// A stand-in for the font, so that text measuring costs what a lookup would, not a layout pass
// of the simulated host's own font.
Vector2F fixedMeasure(const std::string& text, float xScale, float /*yScale*/) {
  constexpr float kAdvance = 7.0F;
  constexpr float kLineHeight = 13.0F;
  return {static_cast<float>(text.size()) * kAdvance * xScale, kLineHeight};
}

// A simulated host with the plugin linked in, silent, writing no configuration file.
class Hosted {
 public:
  explicit Hosted(const char* script = "") {
    sim::SessionOptions options;
    options.shippedPicture = RAFTA_GOAL_PICTURE;
    options.raw = true;
    options.out = [this](const std::string& line) { setUpLog_.push_back(line); };
    options.err = [](const std::string& line) { throw std::runtime_error(line); };
    session_ =
        std::make_unique<sim::Session>(std::make_unique<sim::LinkedLibrary>(exports), options);
    host().behaviour().writesConfigFile = false;
    host().frames().setTextMeasure(fixedMeasure);
    run(script);
    // rafta-sim prints every log line; a game's console does that elsewhere, not in the frame.
    host().console().setLogSink({});
  }

  void run(const char* script) {
    const sim::RunResult result = session_->runText(script, "bench.scn");
    if (result.code != sim::ExitCode::Ok) {
      throw std::runtime_error(result.message);
    }
  }

  [[nodiscard]] sim::Session& session() { return *session_; }
  [[nodiscard]] sim::Host& host() { return session_->host(); }
  // What runs TriggerHit in the real game.
  [[nodiscard]] std::uintptr_t goalFrame() { return host().game().goalFrameAddress(); }
  // The one drawable the plugin registered, as the host holds it.
  [[nodiscard]] sim::Frames::Drawable drawable() {
    const auto drawables = host().frames().drawables();
    if (drawables.size() != 1) {
      throw std::runtime_error("the plugin registered " + std::to_string(drawables.size()) +
                               " drawables, not one");
    }
    return drawables.front();
  }
  // The all-time total as its variable holds it; every counted hit stores it once it is read.
  [[nodiscard]] std::int64_t totalVariable() {
    const sim::ConsoleVariable* total = host().console().findCvar(names::kTotalVariable);
    return total == nullptr ? -1 : std::stoll(total->text());
  }
  // Whether the plugin said, while the session was set up, that it has no goal picture to draw.
  [[nodiscard]] bool saidItHasNoPicture() const {
    return std::any_of(setUpLog_.begin(), setUpLog_.end(), [](const std::string& line) {
      return line.find("goal.png") != std::string::npos;
    });
  }

 private:
  std::vector<std::string> setUpLog_;
  std::unique_ptr<sim::Session> session_;
};

// Heap allocations per iteration, from the counting operator new.
class AllocationsPerOperation {
 public:
  AllocationsPerOperation() : start_(allocations()) {}
  void report(benchmark::State& state) const {
    state.counters["allocs/op"] = benchmark::Counter(static_cast<double>(allocations() - start_),
                                                     benchmark::Counter::kAvgIterations);
  }

 private:
  std::uint64_t start_;
};

std::string styleScript(std::int64_t style) {
  return std::string("console ") + names::kOverlayStyleVariable + " " + std::to_string(style);
}

// The bound key that switches the overlay off (it was on).
const std::string kOverlayOff = std::string("command ") + names::kToggleOverlayCommand;

// --- Frames ------------------------------------------------------------------------------------

void EmptyDrawable(benchmark::State& state) {
  Hosted hosted;
  hosted.host().frames().registerDrawable([](CanvasWrapper /*canvas*/) {});
  const AllocationsPerOperation allocs;
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
    hosted.host().frames().draw(1);
  }
  allocs.report(state);
}
BENCHMARK(EmptyDrawable);

void Frame(benchmark::State& state) {
  Hosted hosted("load\n");
  hosted.run(styleScript(state.range(0)).c_str());
  if (hosted.saidItHasNoPicture()) {
    state.SkipWithError("the goal picture did not load");
    return;
  }
  const AllocationsPerOperation allocs;
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
    hosted.host().frames().draw(1);
  }
  allocs.report(state);
}
BENCHMARK(Frame)->ArgName("style")->DenseRange(0, 4);

void FrameOverlayOff(benchmark::State& state) {
  Hosted hosted("load\n");
  hosted.run(kOverlayOff.c_str());
  const AllocationsPerOperation allocs;
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
    hosted.host().frames().draw(1);
  }
  allocs.report(state);
}
BENCHMARK(FrameOverlayOff);

// The plugin's drawable called straight on a host canvas, as the host calls it: the plugin and the
// canvas's recording, without the host's frame around them. A fresh canvas each time, as its
// record only grows.
void DrawOnHostCanvas(benchmark::State& state, Hosted& hosted) {
  const sim::Frames::Drawable drawable = hosted.drawable();
  const Vector2 size = hosted.host().game().screenSize();
  const sim::TextMeasure measure = fixedMeasure;
  const AllocationsPerOperation allocs;
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
    sim::Canvas canvas(size, measure, {});
    drawable(CanvasWrapper(reinterpret_cast<std::uintptr_t>(&canvas)));
    benchmark::DoNotOptimize(canvas);
  }
  allocs.report(state);
}

void DirectFrame(benchmark::State& state) {
  Hosted hosted("load\n");
  hosted.run(styleScript(state.range(0)).c_str());
  DrawOnHostCanvas(state, hosted);
}
BENCHMARK(DirectFrame)->ArgName("style")->DenseRange(0, 4);

void DirectFrameOverlayOff(benchmark::State& state) {
  Hosted hosted("load\n");
  hosted.run(kOverlayOff.c_str());
  DrawOnHostCanvas(state, hosted);
}
BENCHMARK(DirectFrameOverlayOff);

// On a null canvas handle every drawing call returns at once: what is left is the plugin's own
// work, and the settings and screen-size lookups it makes of the host.
void PluginOnlyFrame(benchmark::State& state) {
  Hosted hosted("load\n");
  hosted.run(styleScript(state.range(0)).c_str());
  const sim::Frames::Drawable drawable = hosted.drawable();
  const AllocationsPerOperation allocs;
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
    drawable(CanvasWrapper(0));
  }
  allocs.report(state);
}
BENCHMARK(PluginOnlyFrame)->ArgName("style")->DenseRange(0, 4);

// --- Hits --------------------------------------------------------------------------------------

// The hook's function run by the goal frame's object once per iteration, as the real game runs
// TriggerHit, a second of game time apart: the same loop measures the empty hook and the counted
// hit, so that their ratio compares like with like.
void FireEverySecond(benchmark::State& state, Hosted& hosted, const std::string& function) {
  const std::uintptr_t frame = hosted.goalFrame();
  double clock = hosted.host().game().secondsElapsed();
  const AllocationsPerOperation allocs;
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
    clock += 1.0;
    hosted.host().game().setSecondsElapsed(clock);
    hosted.host().hooks().fire(function, frame);
  }
  allocs.report(state);
}

void EmptyHook(benchmark::State& state) {
  Hosted hosted("car me id me-id team 0\nlocal me\n");
  const std::string function = rafta::game::kTriggerHit;
  hosted.host().gameWrapper()->HookEventWithCaller<ActorWrapper>(
      function, [](ActorWrapper /*caller*/, void* /*params*/, std::string /*eventName*/) {});
  hosted.host().game().setSecondsElapsed(20.0);
  FireEverySecond(state, hosted, function);
}
BENCHMARK(EmptyHook);

// Each hit a second after the last, so that every one counts.
void CountedHit(benchmark::State& state) {
  Hosted hosted(rafta::testing::kReadyToCount);
  const std::string function = rafta::game::kTriggerHit;
  const std::int64_t before = hosted.totalVariable();
  FireEverySecond(state, hosted, function);
  if (hosted.totalVariable() - before != static_cast<std::int64_t>(state.iterations())) {
    state.SkipWithError("not every hit counted");
  }
}
BENCHMARK(CountedHit);

// The same hit again at the same game time: refused as too recent, after every other check.
void RefusedHit(benchmark::State& state) {
  Hosted hosted(rafta::testing::kReadyToCount);
  const std::string function = rafta::game::kTriggerHit;
  const std::uintptr_t frame = hosted.goalFrame();
  hosted.host().hooks().fire(function, frame);
  const std::int64_t before = hosted.totalVariable();
  const double clock = hosted.host().game().secondsElapsed();
  const AllocationsPerOperation allocs;
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
    hosted.host().game().setSecondsElapsed(clock);
    hosted.host().hooks().fire(function, frame);
  }
  allocs.report(state);
  if (hosted.totalVariable() != before) {
    state.SkipWithError("a hit counted");
  }
}
BENCHMARK(RefusedHit);

// What a counted hit's commit costs the simulated host when it does write the file; the other
// figures leave it out.
void ConfigWrite(benchmark::State& state) {
  Hosted hosted("load\nwait 1\n");
  hosted.host().behaviour().writesConfigFile = true;
  const std::string command = "writeconfig";
  const AllocationsPerOperation allocs;
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
    hosted.host().console().executeCommand(command);
  }
  allocs.report(state);
}
BENCHMARK(ConfigWrite);

// --- Load --------------------------------------------------------------------------------------

// getPlugin, onLoad, onUnload and deleteMe, as the host calls them; unload's commit writes no
// file. The host then drops what the unloaded object left queued (its stored-total timer), so
// that every load meets the same host.
void LoadUnload(benchmark::State& state) {
  Hosted hosted;
  sim::Host& host = hosted.host();
  sim::installGoalPicture(sim::PictureMode::Present, hosted.session().appData(),
                          RAFTA_GOAL_PICTURE);
  // NOLINTNEXTLINE(concurrency-mt-unsafe): set before any benchmark thread exists
  setenv("APPDATA", hosted.session().appData().c_str(), 1);
  const AllocationsPerOperation allocs;
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
    const auto address = exports.initializeFunc();
    // NOLINTNEXTLINE(performance-no-int-to-ptr): getPlugin hands out its handle's address
    const auto plugin = *reinterpret_cast<const rafta::sim::PluginHandle*>(address);
    host.tieCallbacksTo(plugin);
    plugin->cvarManager = host.cvarManager();
    plugin->gameWrapper = host.gameWrapper();
    plugin->onLoad();
    plugin->onUnload();
    exports.delFunc();
    host.dropCallbacks();
  }
  allocs.report(state);
}
BENCHMARK(LoadUnload);

}  // namespace
}  // namespace rafta::bench
