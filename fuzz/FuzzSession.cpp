// libFuzzer target: the input bytes become one short session of the plugin in the simulated host,
// with wrong host answers injected, and the plugin's promises are checked after every step.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "Counters.h"
#include "GameFunctions.h"
#include "PluginNames.h"
#include "Rafta.h"
#include "StoredLines.h"
#include "sim/canvas/Canvas.h"
#include "sim/console/ConfigFile.h"
#include "sim/host/PluginLibrary.h"
#include "sim/numbers/Numbers.h"
#include "sim/run/Session.h"
#include "sim/script/Parser.h"

namespace {

using namespace rafta::sim;

// Small sessions keep executions fast: a few dozen steps and under a minute of game time.
constexpr std::size_t kMostSteps = 48;
constexpr double kMostWaitSeconds = 30.0;
constexpr std::string_view kCountedLine = "Incr\xE9mentation compteur";
constexpr std::string_view kTotalMarker = "Total = ";
constexpr std::string_view kReadLine =
    "rafta_total_hit_count charg\xE9 avec valeur diff\xE9r\xE9"
    "e";
constexpr std::string_view kOrphaned = "no longer exists";
// The host cannot take back a timer, so one armed before an unload outlives the object; the
// plugin guards its timers itself. A hook or a drawable left behind is the plugin's fault.
constexpr std::string_view kOrphanedTimer = "a timer not called";
constexpr const char* kTotalVariable = rafta::names::kTotalVariable;

std::uint64_t sessionsRun = 0;
std::uint64_t stepsRun = 0;

void reportCounts() {
  std::fprintf(stderr, "rafta_fuzz: %llu sessions, %llu steps\n",
               static_cast<unsigned long long>(sessionsRun),
               static_cast<unsigned long long>(stepsRun));
}

[[noreturn]] void finding(const std::string& what) {
  std::fprintf(stderr, "rafta_fuzz: finding in session %llu: %s\n",
               static_cast<unsigned long long>(sessionsRun), what.c_str());
  std::fflush(stderr);
  std::abort();
}

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  [[nodiscard]] bool done() const { return at_ >= size_; }

  std::uint8_t byte() { return at_ < size_ ? data_[at_++] : std::uint8_t{0}; }

  std::uint64_t word(int count) {
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i) {
      value = (value << 8U) | byte();
    }
    return value;
  }

  template <typename T, std::size_t N>
  const T& pick(const std::array<T, N>& items) {
    return items.at(byte() % N);
  }

  std::string text(std::size_t most) {
    std::string result;
    const std::size_t count = byte() % (most + 1);
    for (std::size_t i = 0; i < count; ++i) {
      result += static_cast<char>(byte());
    }
    return result;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kBig = std::numeric_limits<float>::max();

constexpr std::array<float, 20> kCoordinates{
    0.0F,    100.0F,   -100.0F, 4000.0F, -4000.0F, 299.9F, 300.0F, 300.1F, 1000.0F, -1000.0F,
    5120.0F, -5120.0F, 1e6F,    -1e6F,   kNaN,     kInf,   -kInf,  kBig,   -kBig,   0.001F};
constexpr std::array<double, 12> kClocks{0.0,  0.5, 0.9,   1.0,    20.0, 20.95,
                                         -5.0, 1e6, 1e300, -1e300, 3e38, 1e-9};
// The plugin's variables, and one it does not have.
constexpr std::array<const char*, 10> kVariables{rafta::names::kDebugVariable,
                                                 rafta::names::kOverlayEnabledVariable,
                                                 rafta::names::kOverlayXVariable,
                                                 rafta::names::kOverlayYVariable,
                                                 rafta::names::kOverlayStyleVariable,
                                                 rafta::names::kCountInFreeplayVariable,
                                                 rafta::names::kCountInTrainingVariable,
                                                 rafta::names::kCountInMatchVariable,
                                                 kTotalVariable,
                                                 "rafta_unknown"};
constexpr std::array<const char*, 22> kValues{
    "0",   "1",    "57",   "-1",   "2147483647", "2147483648", "-2147483648", "nan",
    "inf", "-inf", "1e39", "abc",  "",           "100.5",      "3",           "4",
    "5",   "-3",   "1920", "1081", "1e-400",     "  7 "};
constexpr std::array<const char*, 4> kCars{"me", "mate", "rival", "ghost"};
constexpr std::array<const char*, 4> kCommands{
    rafta::names::kToggleOverlayCommand, rafta::names::kStyleCommand,
    rafta::names::kResetSessionCommand, rafta::names::kResetTotalCommand};
constexpr std::array<const char*, 7> kCommandWords{"next", "0", "4", "9", "confirm", "", "-1"};
constexpr std::array<const char*, 6> kMatchEvents{"PostBeginPlay", "EndGame",     "BeginRound",
                                                  "OnGoalScored",  "StartReplay", "StopReplay"};
constexpr std::array<const char*, 5> kLabels{"Afficher overlay", " Freeplay / Entrainement",
                                             "All Match", "Reinitialiser le compteur session",
                                             "Reinitialiser le compteur total"};
constexpr std::array<const char*, 5> kStyles{"Classique", "Minimaliste", "Large", "Sobre",
                                             "Tableau"};
constexpr std::array<Vector2, 8> kScreens{
    {{1920, 1080},
     {0, 0},
     {-1920, -1080},
     {1, 1},
     {0, 1080},
     {3840, 2160},
     {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max()},
     {std::numeric_limits<std::int32_t>::min(), 5}}};

// What a step may do to the counters besides counting a hit.
struct Resets {
  bool match = false;
  bool session = false;
  bool total = false;
  // A new plugin object starts from zero.
  bool fresh = false;
  // The game was killed: the files hold what they held as it died.
  bool killed = false;
};

// The counters as the overlay shows them; not known while it is off.
struct Counters {
  const void* object = nullptr;
  std::int32_t match = 0;
  std::int32_t session = 0;
  std::int32_t total = 0;
  bool known = false;
};

class FuzzSession {
 public:
  FuzzSession() {
    SessionOptions options;
    options.shippedPicture = RAFTA_GOAL_PICTURE;
    options.raw = true;
    options.out = [this](const std::string& line) { out_.push_back(line); };
    options.err = [](const std::string& line) {
      if (line.find(kOrphaned) != std::string::npos &&
          line.find(kOrphanedTimer) == std::string::npos) {
        finding("the host skipped a callback of a destroyed plugin object: " + line);
      }
    };
    session_ = std::make_unique<Session>(std::make_unique<LinkedLibrary>(exports), options);
    session_->host().faults().setObserver([this](FaultKind kind, const std::string& what) {
      // A missing total variable is waited for, never written over: only a value typed into
      // it, or a damaged configuration, may lower what is stored.
      if (kind == FaultKind::Config ||
          (kind == FaultKind::Console && what.find(kTotalVariable) != std::string::npos)) {
        allowLowering(&Allowance::fault);
      }
      // A value typed into the total or into what tells a newer store may be taken as one.
      if (kind == FaultKind::Console &&
          (what.starts_with(kTotalVariable) || what.starts_with(rafta::names::kSavesVariable) ||
           what.starts_with(rafta::names::kResetsVariable))) {
        typedIntoStore_ = true;
      }
    });
  }

  void setUp(Bytes& in) {
    const std::uint8_t rate = in.byte();
    FaultPlan plan;
    plan.rate = static_cast<double>(rate) / 255.0 * 0.25;
    plan.seed = in.word(4);
    plan.kinds = in.byte() & kAllFaultKinds;
    session_->host().setFaults(plan);
    run(script::CarSetup{"me", "me-id", std::uint8_t{0}, {}});
    run(script::CarSetup{"mate", "mate-id", std::uint8_t{0}, {}});
    run(script::CarSetup{"rival", "rival-id", std::uint8_t{1}, {}});
    run(script::CarSetup{"ghost", {}, std::uint8_t{1}, false});
    run(script::Local{"me"});
    run(script::State{{{GameFlag::InGame, true}}});
    run(script::BallSetup{Vector{0.0F, 4000.0F, 100.0F}, Vector{1000.0F, 0.0F, 0.0F}});
    run(script::SecondsElapsed{20.0});
  }

  void step(Bytes& in) {
    // Nothing runs between two steps: what the last one ended with is where this one starts.
    const Counters before = shown_ ? *shown_ : counters();
    const std::optional<std::int64_t> copyBefore = copyTotal();
    const StoredTruth truthBefore = storedTruth();
    filesBeforeLastStep_ = std::exchange(filesBeforeThisStep_, storedFiles());
    const std::size_t logBefore = out_.size();
    typedIntoStore_ = false;
    Resets resets;
    execute(in, resets);
    ++stepsRun;
    check(before, resets, logBefore);
    // After a kill, what the files held as the game died is what must not be lost.
    checkTruth(std::exchange(killedAt_, std::nullopt).value_or(truthBefore));
    if (!resets.killed) {
      checkCopy(copyBefore);
    }
  }

 private:
  void run(const ScriptCommand& command) {
    survive([&] { session_->execute(command); });
  }

  // A call the real game would crash on, or an exception that reaches the host, is a finding.
  template <typename HostCall>
  static void survive(const HostCall& call) {
    try {
      call();
    } catch (const GameCrash& crash) {
      finding(std::string("the game would crash: ") + crash.what());
    } catch (const std::exception& error) {
      finding(std::string("an exception reached the host: ") + error.what());
    } catch (...) {
      finding("an exception of unknown type reached the host");
    }
  }

  [[nodiscard]] bool loaded() const { return session_->plugin() != nullptr; }

  void execute(Bytes& in, Resets& resets) {
    switch (in.byte() % 28) {
      case 0:
      case 1:
        if (loaded()) {
          run(script::Hit{script::GoalFrameCaller{}});
        } else {
          resets.fresh = true;
          run(script::Load{});
        }
        break;
      case 2:
        if (loaded()) {
          run(script::Unload{});
        }
        break;
      case 3:
        resets.fresh = true;
        run(script::Restart{false});
        break;
      case 4: {
        const std::string event = in.pick(kMatchEvents);
        resets.match = event == "PostBeginPlay" || event == "BeginRound";
        run(script::Event{*gameFunction(event)});
        break;
      }
      case 5:
      case 6:
        run(script::Touch{toucher(in)});
        break;
      case 7:
      case 8:
        run(script::Hit{hitter(in)});
        break;
      case 9:
        run(carChange(in));
        break;
      case 10: {
        const std::uint8_t which = in.byte() % 5;
        run(script::Local{which < 4 ? std::optional<std::string>(kCars.at(which)) : std::nullopt});
        break;
      }
      case 11: {
        script::BallSetup ball;
        if ((in.byte() & 1U) != 0) {
          ball.pos = vector(in);
        }
        if ((in.byte() & 1U) != 0) {
          ball.vel = vector(in);
        }
        run(ball);
        break;
      }
      case 12: {
        const std::uint8_t bits = in.byte();
        const std::array<GameFlag, 7> flags{
            GameFlag::InGame, GameFlag::Online, GameFlag::Freeplay, GameFlag::Training,
            GameFlag::Replay, GameFlag::Server, GameFlag::Ball};
        const auto flag = flags.at((bits >> 1U) % flags.size());
        run(script::State{{{flag, (bits & 1U) != 0}}});
        break;
      }
      case 13:
        run(script::SecondsElapsed{in.pick(kClocks)});
        break;
      case 14:
      case 15: {
        const double seconds = static_cast<double>(in.byte() % 50) * 0.05;
        if (waited_ + seconds <= kMostWaitSeconds) {
          waited_ += seconds;
          run(script::Wait{seconds});
        }
        break;
      }
      case 16:
        run(script::Frame{1 + (in.byte() % 3)});
        break;
      case 17:
        settingsPage(in, resets);
        break;
      case 18: {
        const std::string name = in.pick(kVariables);
        const std::uint8_t choice = in.byte();
        const std::string value =
            choice < 200 ? std::string(kValues.at(choice % kValues.size())) : in.text(24);
        if (name == kTotalVariable) {
          allowLowering(&Allowance::fault);
        }
        run(script::Console{name, value});
        break;
      }
      case 19:
        run(script::Screen{in.pick(kScreens)});
        break;
      case 20:
        run(script::Hit{script::Caller{std::string("me")}});
        break;
      case 21: {
        const std::array<PictureMode, 3> modes{PictureMode::Present, PictureMode::Absent,
                                               PictureMode::Unloadable};
        session_->host().behaviour().goalPicture = in.pick(modes);
        break;
      }
      case 22: {
        FaultPlan plan;
        plan.rate = static_cast<double>(in.byte()) / 255.0 * 0.5;
        plan.seed = in.word(2);
        plan.kinds = in.byte() & kAllFaultKinds;
        session_->host().setFaults(plan);
        break;
      }
      case 23:
        // The player's reload: the host applies nothing to the new object's variables.
        resets.fresh = true;
        if (loaded()) {
          run(script::Unload{});
        }
        run(script::Load{});
        break;
      case 24:
        run(script::CloseSettingsWindow{});
        break;
      case 25: {
        resets.fresh = true;
        const std::uint8_t how = in.byte();
        if (how % 4 == 3) {
          resets.killed = true;
          kill(how >> 2U);
        } else {
          run(script::Restart{(how & 1U) != 0});
        }
        break;
      }
      case 26: {
        const std::uint8_t how = in.byte();
        session_->host().behaviour().keepUnknownLines = (how & 1U) != 0;
        session_->host().behaviour().configDelaySeconds = static_cast<double>(how >> 1U) * 0.02;
        break;
      }
      default:
        keyBind(in, resets);
        break;
    }
  }

  // A bound key, with words a player might type after the command's name.
  void keyBind(Bytes& in, Resets& resets) {
    script::TypeCommand command{{in.pick(kCommands)}};
    for (std::uint8_t words = in.byte() % 3; words > 0; --words) {
      const std::uint8_t choice = in.byte();
      command.words.push_back(choice < 200
                                  ? std::string(kCommandWords.at(choice % kCommandWords.size()))
                                  : in.text(12));
    }
    if (loaded()) {
      resets.session = command.words.front() == rafta::names::kResetSessionCommand;
      resets.total =
          command.words == std::vector<std::string>{rafta::names::kResetTotalCommand,
                                                    rafta::names::kResetTotalConfirmation};
      if (resets.total) {
        allowLowering(&Allowance::reset);
      }
    }
    run(command);
  }

  void settingsPage(Bytes& in, Resets& resets) {
    if (!loaded()) {
      return;
    }
    switch (in.byte() % 5) {
      case 0:
        run(script::DrawPage{1});
        break;
      case 1: {
        const std::string label = in.pick(kLabels);
        press(label, resets);
        run(script::Click{label});
        break;
      }
      case 2:
        run(script::Slide{(in.byte() & 1U) != 0 ? "Position X" : "Position Y",
                          static_cast<double>(in.byte()) * 8.0});
        break;
      case 3:
        run(script::Choose{in.pick(kStyles)});
        break;
      default: {
        // A toggle is a click too: on a button it presses the button.
        const std::string label = in.pick(kLabels);
        press(label, resets);
        run(script::Toggle{label});
        break;
      }
    }
  }

  void press(const std::string& label, Resets& resets) {
    resets.session = label == "Reinitialiser le compteur session";
    resets.total = label == "Reinitialiser le compteur total";
    if (resets.total) {
      allowLowering(&Allowance::reset);
    }
  }

  // Only a car touches the ball: a car or a null caller.
  static script::Caller toucher(Bytes& in) {
    const std::uint8_t which = in.byte() % 5;
    if (which == 4) {
      return script::NullCaller{};
    }
    return std::string(kCars.at(which));
  }

  // What runs TriggerHit: the goal frame's object as in the real game, or a car or null as a host
  // that passes something else might.
  static script::Caller hitter(Bytes& in) {
    const std::uint8_t which = in.byte() % 6;
    if (which == 5) {
      return script::GoalFrameCaller{};
    }
    return which == 4 ? script::Caller{script::NullCaller{}}
                      : script::Caller{std::string(kCars.at(which))};
  }

  static ScriptCommand carChange(Bytes& in) {
    script::CarSetup car{in.pick(kCars), {}, {}, {}};
    const std::uint8_t what = in.byte();
    switch (what % 5) {
      case 0:
        car.id = "me-id";
        break;
      case 1:
        car.id = "";
        break;
      case 2:
        car.id = std::string(300, 'x');
        break;
      case 3:
        car.id = in.text(32);
        break;
      default:
        break;
    }
    if ((what & 0x10U) != 0) {
      car.team = in.byte();
    }
    if ((what & 0x20U) != 0) {
      car.pri = (what & 0x40U) != 0;
    }
    return car;
  }

  static Vector vector(Bytes& in) {
    return {in.pick(kCoordinates), in.pick(kCoordinates), in.pick(kCoordinates)};
  }

  // Read from the counter line that the overlay measures at the start of every frame, in a frame
  // drawn for the check.
  [[nodiscard]] Counters counters() const {
    const auto plugin = session_->plugin();
    if (plugin == nullptr) {
      return {};
    }
    Counters shown{plugin.get()};
    survive([this] { session_->host().frames().draw(1); });
    const Canvas* frame = session_->host().frames().lastFrame();
    if (frame == nullptr) {
      return shown;
    }
    for (const CanvasCall& call : frame->calls()) {
      if (const auto* measure = std::get_if<canvas::MeasureString>(&call)) {
        shown.known =
            std::sscanf(measure->text.c_str(), "Rafta hits | match: %d | session %d | total: %d",
                        &shown.match, &shown.session, &shown.total) == 3;
        break;
      }
    }
    return shown;
  }

  void check(Counters before, const Resets& resets, std::size_t logBefore) {
    const Counters after = counters();
    shown_ = after;
    if (after.object == nullptr) {
      return;
    }
    if (resets.fresh || before.object == nullptr) {
      // A new object counts from zero, but its total is what the files hold.
      const std::optional<std::int64_t> stored = storedTruth().total;
      if (after.known && stored && after.total < *stored && !copy_.fault) {
        finding("a new start shows a total of " + std::to_string(after.total) + " below the " +
                std::to_string(*stored) + " its files hold");
      }
      before = Counters{after.object, 0, 0, after.total, true};
    }
    std::size_t counted = 0;
    std::string countedLine;
    bool readNow = false;
    for (std::size_t i = logBefore; i < out_.size(); ++i) {
      if (out_[i].starts_with(kCountedLine)) {
        ++counted;
        countedLine = out_[i];
      }
      readNow = readNow || out_[i].starts_with(kReadLine);
    }
    if (!before.known || !after.known) {
      if (counted > 1) {
        finding("one step counted " + std::to_string(counted) + " hits");
      }
      return;
    }
    const std::string state =
        " (match " + std::to_string(before.match) + " -> " + std::to_string(after.match) +
        ", session " + std::to_string(before.session) + " -> " + std::to_string(after.session) +
        ", total " + std::to_string(before.total) + " -> " + std::to_string(after.total) + ")";
    if (counted > 1) {
      finding("one step counted " + std::to_string(counted) + " hits" + state);
    }
    if (counted == 1) {
      if (after.match != rafta::SaturatingAdd(before.match, 1) ||
          after.session != rafta::SaturatingAdd(before.session, 1) ||
          (after.total != rafta::SaturatingAdd(before.total, 1) && !readNow)) {
        finding("a counted hit did not raise the three counters by one" + state);
      }
      const auto marker = countedLine.find(kTotalMarker);
      if (marker == std::string::npos ||
          countedLine.substr(marker + kTotalMarker.size()) != std::to_string(after.total)) {
        finding("the counting line does not show the total: " + countedLine + state);
      }
      return;
    }
    const auto holds = [](std::int32_t from, std::int32_t to, bool reset) {
      return to == from || (reset && to == 0);
    };
    if (!holds(before.match, after.match, resets.match) ||
        !holds(before.session, after.session, resets.session) ||
        !(holds(before.total, after.total, resets.total) || readNow || typedIntoStore_)) {
      finding("the counters moved without a counted hit or a reset" + state);
    }
  }

  // The game killed at some moment of the last step's writes: the plugin's copy, the host's
  // configuration, or both, as they were before it; then the game starts again.
  void kill(std::uint8_t which) {
    const std::array<bool, 2> undone{which % 3 != 1, which % 3 != 0};  // copy, configuration
    for (std::size_t file = 0; file < undone.size(); ++file) {
      if (!undone.at(file)) {
        continue;
      }
      const std::filesystem::path path = storedFilePaths().at(file);
      const std::optional<std::string>& bytes = filesBeforeLastStep_.at(file);
      std::error_code ignored;
      std::filesystem::remove(path, ignored);
      if (bytes) {
        std::ofstream(path, std::ios::binary) << *bytes;
      }
    }
    killedAt_ = storedTruth();
    run(script::Restart{true});
  }

  [[nodiscard]] std::array<std::filesystem::path, 2> storedFilePaths() const {
    return {session_->host().folder() / "cfg" / "rafta.cfg",
            session_->host().console().configFile()};
  }

  [[nodiscard]] std::array<std::optional<std::string>, 2> storedFiles() const {
    std::array<std::optional<std::string>, 2> files;
    for (std::size_t file = 0; file < files.size(); ++file) {
      std::ifstream in(storedFilePaths().at(file), std::ios::binary);
      if (in) {
        files.at(file) = std::string(std::istreambuf_iterator<char>(in), {});
      }
    }
    return files;
  }

  // What the two files store together, as the next start reads them: the latest total reset, and
  // the largest total written since it. Neither a step nor a kill may undo a reset, nor lower the
  // total without one.
  struct StoredTruth {
    std::int64_t resets = 0;
    std::optional<std::int64_t> total;
  };

  // Read as a start reads them: every sound line, the last of a name winning. The files are the
  // plugin's to read; what it decides from them is what this checks.
  [[nodiscard]] StoredTruth storedTruth() const {
    std::array<rafta::StoredLines, 2> files;
    for (std::size_t file = 0; file < files.size(); ++file) {
      files.at(file) = rafta::ReadStoredLines(storedFilePaths().at(file));
    }
    const auto number = [](const rafta::StoredLines& lines, rafta::Stored row) {
      const std::optional<double>& value = lines.values.at(rafta::IndexOf(row));
      return value ? std::optional<std::int64_t>(toInt(*value)) : std::nullopt;
    };
    StoredTruth truth;
    for (const rafta::StoredLines& lines : files) {
      truth.resets = std::max(truth.resets, number(lines, rafta::Stored::Resets).value_or(0));
    }
    for (const rafta::StoredLines& lines : files) {
      const auto total = number(lines, rafta::Stored::Total);
      if (total && number(lines, rafta::Stored::Resets).value_or(0) == truth.resets) {
        truth.total = std::max(truth.total.value_or(*total), *total);
      }
    }
    return truth;
  }

  void checkTruth(const StoredTruth& before) const {
    const StoredTruth after = storedTruth();
    if (after.resets < before.resets) {
      finding("a total reset was undone: the stored resets went from " +
              std::to_string(before.resets) + " to " + std::to_string(after.resets));
    }
    // A start that finds no total counts from 0. A text typed into the total, which the plugin
    // reads as the number it starts with, may reach the host's file whenever the host writes it.
    const std::int64_t stored = after.total.value_or(0);
    if (after.resets == before.resets && before.total && stored < *before.total && !copy_.fault) {
      finding("the stored total went down without a reset: " + std::to_string(*before.total) +
              " -> " + std::to_string(stored));
    }
  }

  // The total in the plugin's copy, which only the plugin writes, from what it holds: never lower
  // but by a reset. The host's configuration may take a lower total for a while (an older one the
  // host executed and wrote again before the plugin put the values back): its count of saves then
  // says it is the older, which the stored truth above takes into account.
  [[nodiscard]] std::optional<std::int64_t> copyTotal() const {
    try {
      const StoredValues copy = readConfig(storedFilePaths()[0], {});
      const auto found = copy.find(kTotalVariable);
      if (found != copy.end()) {
        return toInt(readNumber(found->second));
      }
    } catch (const std::exception& error) {
      finding(std::string("the plugin's copy cannot be read: ") + error.what());
    }
    return std::nullopt;
  }

  // What may lower the copy's total: a reset, at the copy's next write; a value the fuzzer or a
  // wrong answer typed into the total, at any later write.
  struct Allowance {
    bool fault = false;  // the fuzzer, or a wrong answer about the variable, changed the total
    bool reset = false;  // the total was reset; the next write may store a lower total
  };

  void allowLowering(bool Allowance::*why) { copy_.*why = true; }

  void checkCopy(std::optional<std::int64_t> before) {
    const std::optional<std::int64_t> after = copyTotal();
    if (!before || !after || *after >= *before) {
      return;
    }
    if (!copy_.fault && !copy_.reset) {
      finding("the stored total went down without a reset in the plugin's copy");
    }
    // A hostile text stays in the variable until something overwrites it, so what it did may reach
    // a file at any later commit: a fault allows lowering for the rest of the session.
    copy_.reset = false;
  }

  std::vector<std::string> out_;
  std::optional<Counters> shown_;
  std::unique_ptr<Session> session_;
  double waited_ = 0.0;
  Allowance copy_;
  std::array<std::optional<std::string>, 2> filesBeforeThisStep_;
  std::array<std::optional<std::string>, 2> filesBeforeLastStep_;
  std::optional<StoredTruth> killedAt_;
  bool typedIntoStore_ = false;  // this step, a wrong answer typed into a stored count
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  std::atexit(reportCounts);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes in(data, size);
  // A running tally, for runs that end by a signal rather than by exit.
  constexpr std::uint64_t kReportEvery = 5000;
  if (++sessionsRun % kReportEvery == 0) {
    reportCounts();
  }
  {
    FuzzSession session;
    session.setUp(in);
    for (std::size_t step = 0; step < kMostSteps && !in.done(); ++step) {
      session.step(in);
    }
  }
  return 0;
}
